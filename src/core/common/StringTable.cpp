#include "StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry
{
    int id;
    const char *text; // UTF-8
};

// Sorted by id.
constexpr Entry kEntries[] = {
    { 10010, "Dorvel Environmental" },
    { 10020, "Windows 95\\98\\2000\\XP" },
    { 10030, "Copyright \xC2\xA9 2026 the Neru developers. All rights reserved." },
    { 10040, "Dorvel Environmental" },
    { 10050,
      "Warning: this program is protected by copyright law. Unauthorised copying or "
      "distribution of it, or of any part of it, may result in civil and criminal "
      "penalties." },
    { 20000, "&File" },
    { 20010, "&Open..." },
    { 20020, "&Export..." },
    { 20030, "&Print" },
    { 20040, "&Graph" },
    { 20050, "&Table" },
    { 20060, "E&xit" },
    { 20100, "&Edit" },
    { 20110, "Copy &Graph" },
    { 20120, "Copy &Text" },
    { 20200, "&View" },
    { 20210, "&Reset" },
    { 20220, "&Stats" },
    { 20230, "&Toolbar" },
    { 20240, "Status &Bar" },
    { 20300, "&Tools" },
    { 20310, "&Comms" },
    { 20320, "&Interrogate NERU" },
    { 20330, "&Program NERU RTC" },
    { 20340, "&Reprogram NERU" },
    { 20350, "COM&1" },
    { 20360, "COM&2" },
    { 20370, "COM&3" },
    { 20380, "COM&4" },
    { 20400, "&Units" },
    { 20410, "&l/s" },
    { 20420, "&m3/h" },
    { 20430, "&gals/h" },
    { 20440, "&Bar" },
    { 20450, "&PSI" },
    { 20460, "Me&tre Head" },
    { 20470, "&Feet Head" },
    { 20500, "&Help" },
    { 20510, "&Contents..." },
    { 20520, "&Search..." },
    { 20530, "&About..." },
    { 21001, "Open" },
    { 21011, "Print" },
    { 21021, "Copy" },
    { 21031, "Copy Text" },
    { 21041, "Interrogate NERU" },
    { 21051, "Program NERU RTC" },
    { 21061, "Reprogram NERU" },
    { 30000, "Title" },
    { 30010, "Comments1" },
    { 30020, "Comments2" },
    { 30050, "Logging Int" },
    { 30060, "Maximum" },
    { 30070, "Minimum" },
    { 30080, "Reference" },
    { 30100, "Fitting   Date         Time         Flow         Step" },
    { 30105, "Fitting   Date         Time         Pressure     Step" },
    { 30110, "OK" },
    { 30200, "Statistics for district" },
    { 30210, "pulses/rev" },
    { 30220, "l/rev" },
    { 30230, "seconds" },
    { 30240, "minutes" },
    { 30250, "Head" },
    { 30260, "Meter" },
    { 30270, "Transducer" },
    { 30280, "Range" },
    { 30300, "Do you want to save the changes??" },
    { 30500, "Save District" },
    { 30510, "Filename" },
    { 30520, "District" },
    { 30530, "Title" },
    { 30540, "Comments1" },
    { 30550, "Comments2" },
    { 30560, "OK" },
    { 30600, "already exists." },
    { 30610, "Do you want to overwrite it?" },
    { 30700, "Reading data from NERU" },
    { 30710, "Cancel" },
    { 30800, "Reprogram NERU" },
    { 30810, "Logger Settings" },
    { 30820, "Serial Number" },
    { 30830, "Calibration Date" },
    { 30840, "Identification" },
    { 30850, "Version Number" },
    { 30860, "Date/Time" },
    { 30870, "WARNING" },
    { 30880,
      "If you click \"Clear Memory\" below, all data currently stored in the NERU unit "
      "will be lost" },
    { 30890, "Clear Memory" },
    { 30900, "Cancel" },
    { 40000, "Flow" },
    { 40010, "l/s" },
    { 40020, "m3/h" },
    { 40030, "kgal/h" },
    { 40050, "Press" },
    { 40060, "Bar" },
    { 40070, "PSI" },
    { 40080, "m Hd" },
    { 40090, "ft Hd" },
    { 40100, "The magnification limit has been reached" },
    { 40110, "Fitting" },
    { 40120, "Step" },
    { 40130, "Not Available" },
    { 40200, "An error has occurred communicating with the NERU unit" },
    { 40210, "Check the COM port and cable and then try again" },
    { 40220, "No data found in NERU unit" },
    { 40230, "NERU memory has been cleared" },
    { 40240, "Date/Time has been set to" },
    { 40250, "This program cannot communicate with NERU software or files before version 4.0" },
    { 40260, "The file NERU.CSV has been created in directory " },
    { 50000, "Note that COM" },
    { 50010,
      " is selected by default. \nUse the Comms option on the Tools \nmenu if you need to "
      "change it" },
    { 50020, "Initial COM port setting" },
    { 50030, "NERU Program: " },
    { 50040, "Unnamed" },
    { 50041, "Data memory limits have been exceeded some data may be lost" },
};

const Entry *find(int id)
{
    const auto end = std::end(kEntries);
    const auto it = std::lower_bound(std::begin(kEntries), end, id,
                                     [](const Entry &e, int key) { return e.id < key; });
    return (it != end && it->id == id) ? it : nullptr;
}

} // namespace

QString StringTable::text(int id) const
{
    const Entry *e = find(id);
    return e ? QString::fromUtf8(e->text) : QString();
}

bool StringTable::contains(int id) const
{
    return find(id) != nullptr;
}
