#include "interchange/InterchangeResult.h"
#include "interchange/MusicXmlWriter.h"
#include "score/cTParse.h"

#include <gtest/gtest.h>

using namespace notaro;

namespace {

std::string squeezed(std::string xml) {
    xml.erase(std::remove_if(xml.begin(), xml.end(), [](char c) { return c == ' ' || c == '\n'; }),
              xml.end());
    return xml;
}

} // namespace

TEST(MusicXmlWriter, WritesWhatAReaderCannotInferFromTheDurations) {
    // Score lines, then pieces the document holds (blanks and line ends taken out).
    const std::pair<const char*, std::vector<const char*>> cases[] = {
        {"3c 6d 6e 12f 12g 12a 24b | 5c 5.d", // tuplets: divisions make every length whole
         {"<divisions>30</divisions>",
          "<duration>40</duration><voice>1</voice><type>half</type>"
          "<time-modification><actual-notes>3</actual-notes><normal-notes>2</normal-notes>",
          "<type>16th</type><time-modification><actual-notes>3</actual-notes><normal-notes>2",
          "<type>quarter</type><dot/><time-modification><actual-notes>5</actual-notes>"
          "<normal-notes>4</normal-notes>"}},
        {"4c+ 4d~ 4e- 4f# | 4c+ 4c 2c | 1c |", // quarter tones, a natural after an alteration
         {"<step>C</step><alter>0.5</alter>", "<accidental>quarter-sharp</accidental>",
          "<measurenumber=\"2\"><note><pitch><step>C</step><alter>0.5</alter><octave>4</octave>"
          "</pitch><duration>1</duration><voice>1</voice><type>quarter</type><accidental>",
          "<measurenumber=\"3\">", "<step>D</step><alter>-0.5</alter>",
          "<accidental>quarter-flat</accidental>", "<accidental>natural</accidental>",
          "<beats>4</beats><beat-type>4</beat-type>"}},
        {"4c 4d | 2.e-[ | 4e-]' 8f( 8g) 4: | 1c |", // bars of differing lengths; ties, slurs, staccato
         {"<timeprint-object=\"no\"><beats>2</beats><beat-type>4</beat-type>",
          "<timeprint-object=\"no\"><beats>3</beats>", "<beats>4</beats>", "<tietype=\"start\"/>",
          "<tiedtype=\"start\"/>",
          "<tietype=\"stop\"/><voice>1</voice><type>quarter</type><notations>",
          "<tietype=\"stop\"/>", "<tiedtype=\"stop\"/><articulations><staccato/>",
          "<slurtype=\"start\"number=\"1\"/>", "<slurtype=\"stop\"number=\"1\"/>", "<rest/>"}},
        {"*i[40]\n*t[90]\n4c 4d 4e\n*i[41]\n4d", // instrument and tempo; no bar, no metre
         {"<midi-program>41</midi-program>", "<per-minute>90</per-minute>", "<soundtempo=\"90\"/>",
          "<sound><midi-instrumentid=\"P1-I1\"><midi-program>42</midi-program>",
          "<timeprint-object=\"no\"><senza-misura/></time>"}},
    };
    for (const auto& [body, pieces] : cases) {
        std::string text = std::string("**n[a-b-c]\r\n!!$3, A & B\r\n") + body + "\r\n";
        for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
            if (text[at - 1] != '\r')
                text.insert(at, "\r");
        cTParse parser;
        ASSERT_TRUE(parser.parseAramText(text).ok()) << body;
        const std::string xml = squeezed(interchange::musicXmlText(parser, text));
        EXPECT_NE(xml.find("<work-title>A&amp;B</work-title>"), std::string::npos);
        for (const char* piece : pieces)
            EXPECT_NE(xml.find(piece), std::string::npos) << body << "\n" << piece << "\n" << xml;
    }
}
