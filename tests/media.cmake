# The generated media loaded through the engine on a null device (no display), and the generator's reproducibility.
quintet_gtest(media_test SOURCES media_test.cpp LIBS Irrlicht::Irrlicht LABELS media)
add_dependencies(media_test media)
target_compile_definitions(media_test PRIVATE
  MEDIA_DIR="${QUINTET_RUN_DIR}/media"
  MKMEDIA_PROGRAM="$<TARGET_FILE:mkmedia>")
