# The application shell: configuration, damaged media, receiver, tick scheduling; the game end to end and installed.
quintet_gtest(shell_test SOURCES shell_test.cpp LIBS quintet_testgame LABELS shell)
quintet_e2e(shell_e2e shell_e2e.sh)
quintet_e2e(install_e2e install_e2e.sh)
