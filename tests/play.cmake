# The play screen: frames on a null device (end to end: shell.cmake).
quintet_gtest(play_frame_test SOURCES play_frame_test.cpp LIBS quintet_testgame LABELS play)
