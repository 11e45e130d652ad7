// The rules' globals with their program-start values; the shell reads and writes them too.
#include "board/board.h"

int board[boardSize][boardSize];
int appearTimer[boardSize][boardSize];
int removeTimer[boardSize][boardSize];
int selectedCol = -1, selectedRow = -1;
int score = 0;
int playState = playRunning;
int turnPhase = 0;
int gameOverCountdown = 0;
int inputCooldown = 0;
int keyCooldown = 0;
int activeScreen = 0;
bool leftButtonDown = false, rightButtonDown = false;
