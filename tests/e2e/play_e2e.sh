# End to end: Space starts, a move spawns three balls, so does one made of clicks shorter than a tick, Escape
# leaves, the start button starts, the back button leaves.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_start
e2e_wait_window
e2e_move 300 20  # the pointer over the window for key focus
e2e_key space
e2e_expect_screen 1.6 play1 $E2E_PLAY 5  # new balls fade in over about a second
e2e_move_a_ball  # no run forms, so three balls appear
e2e_expect_screen 1.6 moved $E2E_PLAY 8
e2e_expect_moved
e2e_move_a_ball 0  # each click pressed and released between two ticks
e2e_expect_screen 1.6 moved0 $E2E_PLAY 11
e2e_expect_moved
e2e_key Escape
e2e_expect_screen 1.3 title1 $E2E_TITLE  # and the title's cooldown of 44 ticks runs out
e2e_click 330 377  # the start button
e2e_expect_screen 1.6 play2 $E2E_PLAY 5
e2e_click 580 20  # the back button
e2e_expect_screen 0.3 title2 $E2E_TITLE
