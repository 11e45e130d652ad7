// The rules' shared state and operations: board, per-cell timers, score, play states, cooldowns.
// Engine-free on purpose, so the rules build and test without a window.
#pragma once

// Board size: columns run left to right, rows top to bottom; grids are indexed [col][row].
const int boardSize = 9;

// Cell codes: 0 empty, 1..5 a ball of that colour, 11 x colour a ball marked for removal.
const int emptyCell = 0;
const int colourCount = 5;
inline int markedCode(int colour) { return colour * 11; }

// Play states and turn phases.
const int playRunning = 1;      // a game is running
const int playNewPending = 3;   // the next play frame starts a new game
const int playGameOver = 33;    // the game-over banner is showing
const int turnTakesClicks = 999;
const int turnGameOver = 200;

const int appearStart = 20;        // appearTimer of a new ball; it fades in over 20 steps
const int removeStart = 10;        // removeTimer of a freshly marked ball
const int gameOverTicks = 300;     // length of the game-over banner in play frames
const int scoreMax = 2147483647;   // the score stops here instead of overflowing

extern int board[boardSize][boardSize];        // cell codes
extern int appearTimer[boardSize][boardSize];  // fade-in steps left, 20..0
extern int removeTimer[boardSize][boardSize];  // removal steps left, 10..0; the cell empties when it falls to 2
extern int selectedCol, selectedRow;           // the selected ball, both -1 when none
extern int score;                              // score of the current game, 0..scoreMax
extern int playState;                          // playRunning, playNewPending or playGameOver
extern int turnPhase;                          // turnTakesClicks or turnGameOver; 0 before the first game
extern int gameOverCountdown;                  // play frames left for the banner, 300..0
extern int inputCooldown;                      // ticks until the next click or key action is taken
extern int keyCooldown;                        // ticks until the next shift or control pulse
extern int activeScreen;                       // 0 title screen, 1 play screen
extern bool leftButtonDown, rightButtonDown;   // mouse buttons held, kept by the event receiver

// New game: cooldowns 22, grids cleared, five balls spawned, selection cleared, score 0, playing.
void newGameReset();
// One step of the per-cell timers; a removal timer falling to 1 or 2 empties its cell.
void countdownStep();
// True while any per-cell timer runs, so that countdownStep would change the board or its pictures.
bool cellTimersRunning();
// Places at most one ball: 44 random attempts, then the first empty cell in reading order.
void spawnBall();
// True (after printing the banner and entering game over) when no cell is empty.
bool checkGameOver();
// Up to three spawns with full-board tests before and after each.
void spawnSequence();
// Once per play frame during game over; at its end a new game is pending and the title screen shows.
void gameOverCountdownStep();
// Marks every run of five or more of colour c (or its marked code m) with m; returns how many cells hold m.
int markRuns(int c, int m);
// Points for n marked cells of one colour in one scan.
int runPoints(int n);
// markRuns for the five colours in turn, adding the points to score; true if any colour added points.
bool scoringScan();
// An accepted left click on a cell selects, moves, scores and spawns; does nothing unless accepted.
void resolveClick(int pointerCol, int pointerRow);
// Adds points to score, stopping at scoreMax.
void addScore(int points);
