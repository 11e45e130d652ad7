# The play screen: frames on a null device, pixels on OpenGL under X, a random soak and the whole game end to end.
quintet_gtest(play_frame_test SOURCES play_frame_test.cpp LIBS quintet_testgame LABELS play)
quintet_gtest(play_soak_test SOURCES play_soak_test.cpp LIBS quintet_testgame LABELS play)
quintet_gtest(play_pixel_test SOURCES play_pixel_test.cpp LIBS quintet_testgame LABELS display)
quintet_e2e(play_e2e play_e2e.sh)
