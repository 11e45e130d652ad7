// The size change: stores the chosen size in config.cfg, starts the launcher and ends this process.
#include "shell/shell.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

void relaunchWithSize()
{
    const ConfigRecord record = configRecordFor(sizeMode);
    FILE* out = std::fopen(configFileName, "wb");
    if (!out) {
        // Nothing was stored, so a restart would only reopen the same size: carry on in this window.
        std::printf("could not write config.cfg, size not changed\n");
        std::fflush(stdout);
        return;
    }
    // A short write or a failed close changes nothing: the launcher starts and this process ends regardless.
    std::fwrite(record.bytes, 1, configRecordSize, out);
    std::fclose(out);
    // The file is closed before the launcher starts, so the new instance reads the new size.
    startLauncher();
    std::exit(-1);
}
