# The application shell: configuration, receiver, tick scheduling, and a real frame's edges.
quintet_gtest(shell_test SOURCES shell_test.cpp LIBS quintet_testgame LABELS shell)
quintet_gtest(shell_pixels_test SOURCES shell_pixels_test.cpp LIBS quintet_testgame LABELS display)
quintet_e2e(shell_e2e shell_e2e.sh)
quintet_e2e(install_e2e install_e2e.sh)
