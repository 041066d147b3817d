// The bytes of a district file as the decoder takes them: every record behind the header
// read into the series, then every row of its table formatted, as the statistics dialog,
// Copy Text, Print Table and Export format them. Nothing is written and nothing shown;
// fuzz_district_view takes the same inputs the way the window opens and shows them. A
// run-time error escaping the decoder is a fault: it turns each one into a problem.

#include "FuzzSupport.h"

#include "NamedFormats.h"
#include "RecordDecoder.h"
#include "TableRows.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const NamedFormats formats;
    static const TableRows rows(formats);
    const RecordDecoder::Result result = RecordDecoder::decode(FuzzSupport::bytes(data, size));
    // The settings in force run into the values of the rows: the reference, and a factor
    // of a display unit that is not 1.
    qint32 first = -1;
    qint32 last = -1;
    rows.getTable(result.series, result.settings.dblReference, 3.6, true, first, last);
    return 0;
}
