# The title screen: frames and relaunch on a null device, pixels under a display, end to end.
quintet_gtest(title_test SOURCES title_frame_test.cpp LIBS quintet_testgame LABELS title)
quintet_gtest(title_pixels_test SOURCES title_pixels_test.cpp LIBS quintet_testgame LABELS display)
quintet_e2e(title_e2e title_e2e.sh)
