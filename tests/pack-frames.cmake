# Packs the captured frames in the working folder into ARCHIVE, sorted so that each frame follows the others
# of its size, where xz finds most of its repeats.
file(GLOB frames RELATIVE "${CMAKE_CURRENT_BINARY_DIR}" "*.ppm")
list(SORT frames)
list(LENGTH frames count)
if(count EQUAL 0)
  message(FATAL_ERROR "no frames to pack")
endif()
file(ARCHIVE_CREATE OUTPUT "${ARCHIVE}" PATHS ${frames} FORMAT paxr COMPRESSION XZ COMPRESSION_LEVEL 9)
message(STATUS "${count} frames packed into ${ARCHIVE}")
