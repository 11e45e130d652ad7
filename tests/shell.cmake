# The application shell: configuration, damaged media, receiver, tick scheduling; the game end to end (its title and
# play screens too) and installed, and its window on a desktop.
quintet_gtest(shell_test SOURCES shell_test.cpp LIBS quintet_testgame LABELS shell)
quintet_e2e(game_e2e game_e2e.sh)
quintet_e2e(install_e2e install_e2e.sh)
# The window on a desktop: its identity and fixed size under openbox, a size forced on it anyway.
quintet_e2e(window_e2e window_e2e.sh "${QUINTET_ICON_DIR}/quintet-32.png")
# The game at rest: wake-ups on the title and in play, a blinking selection, input after a rest, and a window
# uncovered by one of cover_window's.
add_executable(cover_window support/cover_window.cpp)
target_link_libraries(cover_window PRIVATE X11)
quintet_e2e(rest_e2e rest_e2e.sh "$<TARGET_FILE:cover_window>")
# Screens too small for some sizes, under openbox with a panel that reserves its room (a dock of the tests' own).
add_executable(quintet_test_dock support/dock.c)
target_link_libraries(quintet_test_dock PRIVATE X11)
quintet_e2e(fit_e2e fit_e2e.sh "$<TARGET_FILE:quintet_test_dock>")
