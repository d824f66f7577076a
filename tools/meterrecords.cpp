// Writes the virtual meter's factory records in the records-file format, as a
// start for a file of one's own: meter-records [count] > records.txt

#include "lightsources.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    int count = 12;
    if (argc > 2 || (argc == 2 && ((count = std::atoi(argv[1])) <= 0 || count > 100000))) {
        std::fprintf(stderr, "usage: %s [count from 1 to 100000]\n", argv[0]);
        return 2;
    }
    std::printf("# Virtual meter records: one record a line,\n"
                "# date and time, illuminance (lx), ratio, then the intensities at 380..780 nm.\n");
    for (const vm::StoredRecord& record : vm::defaultRecords(count))
        std::printf("# %s\n%s\n", record.label.c_str(), vm::formatRecord(record).c_str());
    return 0;
}
