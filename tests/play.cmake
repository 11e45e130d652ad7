# The play screen: frames on a null device, the game end to end.
quintet_gtest(play_frame_test SOURCES play_frame_test.cpp LIBS quintet_testgame LABELS play)
quintet_e2e(play_e2e play_e2e.sh)
