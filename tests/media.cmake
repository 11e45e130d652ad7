# The generated media loaded through the engine on a null device (no display). That the generator writes the same
# bytes every time, the package and the Windows builds show: each is made twice and compared.
quintet_gtest(media_test SOURCES media_test.cpp LIBS Irrlicht::Irrlicht LABELS media)
add_dependencies(media_test media)
target_compile_definitions(media_test PRIVATE MEDIA_DIR="${QUINTET_RUN_DIR}/media")
