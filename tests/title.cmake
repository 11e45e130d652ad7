# The title screen: frames and relaunch on a null device, the game end to end.
quintet_gtest(title_test SOURCES title_frame_test.cpp LIBS quintet_testgame LABELS title)
quintet_e2e(title_e2e title_e2e.sh)
