// The size change: stores the chosen size in config.cfg, starts the launcher and ends this process.
#include "shell/shell.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

void relaunchWithSize()
{
    if (!writeConfigRecord(configRecordFor(sizeMode))) {
        // Nothing was stored, so a restart would only reopen the same size: carry on in this window.
        std::printf("could not write config.cfg, size not changed\n");
        std::fflush(stdout);
        return;
    }
    // The file is complete before the launcher starts, so the new instance reads the new size. Without a
    // launcher the size is stored all the same and takes effect at the next start by hand.
    if (!startLauncher())
        std::printf("could not start the launcher: start Quintet again to play at the new size\n");
    std::exit(-1);
}
