// Finding runs of five or more, marking them for removal, and scoring them.
#include "board/board.h"

// The four pass directions, in pass order: right, down, down-right, down-left.
const int passCol[4] = {1, 0, 1, -1};
const int passRow[4] = {0, 1, 1, 1};

static bool onBoard(int col, int row)
{
    return col >= 0 && col < boardSize && row >= 0 && row < boardSize;
}

int markRuns(int c, int m)
{
    for (int pass = 0; pass < 4; ++pass)
        for (int row = 0; row < boardSize; ++row)
            for (int col = 0; col < boardSize; ++col) {
                // Balls marked earlier still count as their colour, so runs through them are found again.
                if (board[col][row] != c && board[col][row] != m)
                    continue;
                int length = 0;
                int walkCol = col, walkRow = row;
                while (onBoard(walkCol, walkRow) &&
                       (board[walkCol][walkRow] == c || board[walkCol][walkRow] == m)) {
                    ++length;
                    walkCol += passCol[pass];
                    walkRow += passRow[pass];
                }
                if (length < 5)
                    continue;
                for (int i = 0; i < length; ++i)
                    board[col + i * passCol[pass]][row + i * passRow[pass]] = m;
            }
    // Counts every waiting mark of the colour, not just this call's runs, and restarts their removal.
    int count = 0;
    for (int col = 0; col < boardSize; ++col)
        for (int row = 0; row < boardSize; ++row)
            if (board[col][row] == m) {
                removeTimer[col][row] = removeStart;
                ++count;
            }
    return count;
}

int runPoints(int n)
{
    return n * (6 * n - 20);
}

void addScore(int points)
{
    // A held button re-scores waiting marks without end; stop at the top instead of overflowing.
    if (points > 0 && score > scoreMax - points)
        score = scoreMax;
    else
        score += points;
}

bool scoringScan()
{
    bool added = false;
    for (int colour = 1; colour <= colourCount; ++colour) {
        int points = runPoints(markRuns(colour, markedCode(colour)));
        if (points > 0) {
            addScore(points);
            added = true;
        }
    }
    return added;
}
