# The play screen: frames and a random soak on a null device, pixels on OpenGL under X, the game end to end.
quintet_gtest(play_frame_test SOURCES play_frame_test.cpp LIBS quintet_testgame LABELS play)
quintet_gtest(play_pixel_test SOURCES play_pixel_test.cpp LIBS quintet_testgame LABELS display)
quintet_e2e(play_e2e play_e2e.sh)
