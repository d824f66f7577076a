// Takes or tests the single-instance guard exactly as the application does.
//   guardprobe hold   claims the marker, prints "held", keeps it until stdin closes
//   guardprobe try    prints "claimed" (exit 0) or "refused" (exit 1), then lets go
//   guardprobe clear  like try, and also removes the semaphore that a killed
//                     process left behind (Unix keeps it)

#include "singleinstance.h"

#include <QCoreApplication>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString mode = app.arguments().value(1);
    if (mode != "hold" && mode != "try" && mode != "clear") {
        std::fprintf(stderr, "usage: guardprobe hold|try|clear\n");
        return 2;
    }
    // Create mode owns the semaphore: it goes when this process ends.
    QSystemSemaphore guard(instanceGuardKey(), 1,
                           mode == "clear" ? QSystemSemaphore::Create : QSystemSemaphore::Open);
    QSharedMemory marker(instanceMarkerKey());
    const bool claimed = claimInstanceMarker(marker, guard, 0); // one attempt

    std::printf("%s\n", claimed ? (mode == "hold" ? "held" : "claimed") : "refused");
    std::fflush(stdout);
    if (claimed && mode == "hold")
        while (std::getchar() != EOF) {
        }
    return claimed ? 0 : 1;
}
