#pragma once

#include "DistrictImage.h"
#include "RecordDecoder.h"

class ErrorReport;

// The district in memory: its image and what the decoder read from it. The window's model
// holds one for as long as it lives; each batch command one for its file.
class District
{
public:
    explicit District(ErrorReport &errorReport);

    const DistrictImage &image() const { return m_image; }
    DistrictImage &image() { return m_image; }
    const SampleSeries &series() const { return m_decoded.series; }
    const DistrictSettings &settings() const { return m_decoded.settings; }
    // The records the last decode could not take in full.
    const QList<RecordDecoder::Problem> &problems() const { return m_decoded.problems; }

    // Decodes the image. The logging settings carry over from the district decoded before
    // until a district record sets them. Each record that raised an error goes to the event
    // log, with the image's file and the record's offset when it is in a file.
    void decode();

private:
    ErrorReport &m_errorReport;
    DistrictImage m_image;
    RecordDecoder::Result m_decoded;
};
