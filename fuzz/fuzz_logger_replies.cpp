// The logger's replies as they come off the serial line; the first byte, modulo 3,
// picks the decoder:
//   0  the clock (Program NERU RTC, Reprogram NERU)
//   1  the general information: serial number, calibration, identification, version
//   2  the data length, then the download's blocks as they arrive, kept and looked
//      over for district records as Interrogate does before cutting
// The rest of the input is the reply. A run-time error is how a bad reply is refused.

#include "FuzzSupport.h"

#include "DownloadCutter.h"
#include "LoggerProtocol.h"
#include "RuntimeError.h"

#include <algorithm>

namespace {

void download(const QByteArray &replies)
{
    const QByteArray lengthReply
        = replies.left(LoggerProtocol::replyLength(LoggerProtocol::kReadDataLength));
    qint32 n = LoggerProtocol::decodeDataLength(lengthReply);
    if (n == 0)
        return;
    n = std::min(n, LoggerProtocol::kDownloadLimit);
    const qint32 blocks = LoggerProtocol::blockCount(n);
    QByteArray received;
    qsizetype from = lengthReply.size();
    for (qint32 b = 0; b < blocks && from < replies.size(); ++b) {
        // A reply may be longer than a block: everything buffered is read.
        const qsizetype length
            = b + 1 < blocks ? LoggerProtocol::kBlockLength : replies.size() - from;
        received.append(replies.mid(from, length));
        from += length;
    }
    DownloadCutter::districtPositions(received.left(n));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray reply = FuzzSupport::bytes(data + 1, size - 1);
    try {
        switch (data[0] % 3) {
        case 0:
            LoggerProtocol::decodeClock(reply);
            break;
        case 1:
            LoggerProtocol::decodeGeneralInfo(reply);
            break;
        case 2:
            download(reply);
            break;
        }
    } catch (const RuntimeError &) { }
    return 0;
}
