// A kept download opened again (File > Open of a ".bin", or "neru-cli split"): read,
// cut at every district record into district files named as the batch tool names them,
// and the last district decoded for showing. Only the first few districts are written,
// the rest are declined as a user closing the dialog would, so one input costs little.

#include "FuzzSupport.h"

#include "District.h"
#include "DistrictFileNames.h"
#include "DownloadCutter.h"
#include "ErrorReport.h"
#include "RuntimeError.h"
#include "SaveDistrictPrompt.h"

#include <limits>

namespace {

constexpr int kDistrictsWritten = 8;

class NamingPrompt : public SaveDistrictPrompt
{
public:
    bool askDistrict(Texts &texts, QString &defaultDir) override
    {
        if (++m_asked > kDistrictsWritten)
            return false;
        const QString name = m_names.propose(defaultDir, texts.fileName);
        m_names.remember(defaultDir, name);
        texts.fileName = name;
        texts.title = QStringLiteral("Fuzz");
        return true;
    }
    bool districtNotWritten(const QString &, const QString &) override { return false; }

private:
    int m_asked = 0;
    DistrictFileNames m_names;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = FuzzSupport::freshWorkFolder();
    const QString path = folder + QStringLiteral("download-20260101-000000.bin");
    FuzzSupport::writeInput(path, data, size);

    QByteArray download;
    try {
        download = DistrictImage::readFile(path);
    } catch (const RuntimeError &) {
        return 0; // an empty file, which File > Open refuses before any cut
    }
    if (download.size() > std::numeric_limits<qint32>::max())
        return 0;

    ErrorReport errorReport(folder + QStringLiteral("events.log"));
    NamingPrompt prompt;
    QString districtFolder = folder;
    try {
        DownloadCutter::Result cut
            = DownloadCutter(errorReport).cut(download, districtFolder, prompt);
        if (cut.districts == 0)
            return 0;
        District district(errorReport);
        district.image() = std::move(cut.last);
        district.decode();
    } catch (const RuntimeError &) {
        // The window logs it; the kept download is whole.
    }
    return 0;
}
