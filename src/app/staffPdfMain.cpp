// notaro-cli-staff: the part of `notaro-cli staff` that needs Qt (the PDF writer), run by
// notaro-cli once it has read and checked the score: notaro-cli-staff SCORE OUT.pdf.
#include "app/staff/StaffPdf.h"
#include "score/ScoreFile.h"
#include "score/cTParse.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    using namespace notaro;
    if (argc != 3) {
        std::cerr << "usage: notaro-cli staff -o OUT.pdf FILE\n";
        return 2;
    }
    // Drawing a PDF needs no screen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const ScoreFileResult file = readScoreFile(argv[1], kToolScoreLimit);
    cTParse parser;
    if (file.status != ScoreFileStatus::Read || !parser.parseAramText(file.text).ok()) {
        std::cerr << argv[1] << ": Cannot read the score.\n";
        return 1;
    }
    switch (app::writeStaffPdf(interchange::writeAbcTune(parser, file.text), argv[2])) {
    case app::StaffPdfResult::Written:
        return 0;
    case app::StaffPdfResult::EngraverMissing:
        std::cerr << "The staff needs the program abcm2ps: install the Debian package abcm2ps.\n";
        return 1;
    default:
        std::cerr << argv[2] << ": Failed to export the staff.\n";
        return 1;
    }
}
