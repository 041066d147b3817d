// Writes the bundled sample data: neru-make-samples [FOLDER]
#include "SampleGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "neru-make-samples: %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString folder = args.size() > 1 ? args.at(1) : QStringLiteral("samples");
    QDir().mkpath(folder);

    const SampleGenerator::District flow = SampleGenerator::flowDistrict();
    const SampleGenerator::District pressure = SampleGenerator::pressureDistrict();
    const SampleGenerator::District second = SampleGenerator::secondFlowDistrict();

    const QByteArray flowFile
        = RecordEncoder::header(flow.record.number, QStringLiteral("High Street inlet"),
                                QStringLiteral("Meter chamber by the school"),
                                QStringLiteral("Sample data"))
        + SampleGenerator::records(flow);
    const QByteArray pressureFile
        = RecordEncoder::header(pressure.record.number, QStringLiteral("Hill Road critical point"),
                                QStringLiteral("Hydrant outside no. 42"),
                                QStringLiteral("Sample data"))
        + SampleGenerator::records(pressure);
    const QByteArray download = SampleGenerator::records(flow) + SampleGenerator::records(pressure)
        + SampleGenerator::records(second);

    bool ok = write(folder + QStringLiteral("/flow.dat"), flowFile);
    ok = write(folder + QStringLiteral("/pressure.dat"), pressureFile) && ok;
    ok = write(folder + QStringLiteral("/download.bin"), download) && ok;
    return ok ? 0 : 1;
}
