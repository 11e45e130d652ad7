# Whole frames against reference pictures, packed in reference-frames.tar.xz and unpacked into the build tree.
# The commit that last changed the archive names the revision that drew them. To draw them again from the
# checked-out code (needs $DISPLAY): cmake --build <dir> --target reference-frames-capture
set(QUINTET_FRAMES_ARCHIVE "${CMAKE_CURRENT_SOURCE_DIR}/reference-frames.tar.xz")
set(QUINTET_FRAMES_DIR "${CMAKE_CURRENT_BINARY_DIR}/reference-frames")
# Unpacked when the build is configured, which a changed archive makes CMake do again.
file(REMOVE_RECURSE "${QUINTET_FRAMES_DIR}")
file(ARCHIVE_EXTRACT INPUT "${QUINTET_FRAMES_ARCHIVE}" DESTINATION "${QUINTET_FRAMES_DIR}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${QUINTET_FRAMES_ARCHIVE}")

quintet_gtest(reference_frames_test SOURCES reference_frames_test.cpp LIBS quintet_testgame LABELS display)
target_compile_definitions(reference_frames_test PRIVATE QUINTET_REFERENCE_FRAMES="${QUINTET_FRAMES_DIR}")

set(capture "${CMAKE_CURRENT_BINARY_DIR}/reference-capture")
add_custom_target(reference-frames-capture
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${capture}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${capture}"
  COMMAND ${CMAKE_COMMAND} -E env "QUINTET_CAPTURE=${capture}" $<TARGET_FILE:reference_frames_test>
  # Sorted, so that each frame follows the others of its size, where xz finds most of its repeats.
  COMMAND sh -c "cd '${capture}' && ls *.ppm | LC_ALL=C sort | XZ_OPT=-9 tar --format=pax -cJf '${QUINTET_FRAMES_ARCHIVE}' -T -"
  VERBATIM)
