# The rules' tests: no engine, no display. Suites are named board*, so `ctest -R board` picks them.
quintet_gtest(board_test SOURCES board_test_runs.cpp board_test_turn.cpp LIBS quintet_board LABELS board)
