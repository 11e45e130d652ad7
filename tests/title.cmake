# The title screen: frames and relaunch on a null device (end to end: shell.cmake).
quintet_gtest(title_test SOURCES title_frame_test.cpp LIBS quintet_testgame LABELS title)
