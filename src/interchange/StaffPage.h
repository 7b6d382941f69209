#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace notaro::interchange {

/// The box the engraver reported for one symbol of the ABC text, in page pixels.
struct StaffBox {
    /// The engraver's symbol kind: 'N' note, 'R' rest, 'B' bar line, 'c' clef, ...
    char type = 0;
    /// 1-based line and 0-based column of the symbol in the ABC text.
    int32_t row = 0;
    int32_t column = 0;
    double x = 0, y = 0, width = 0, height = 0;
};

/// One engraved page: SVG that Qt Svg draws as the engraver meant, and the symbols' boxes.
struct StaffPage {
    std::string svg;
    double width = 0, height = 0;
    std::vector<StaffBox> boxes;
};

/// Splits the engraver's SVG output (one document per page, one after the other) into pages,
/// takes the symbol boxes out of each and rewrites what Qt Svg would draw otherwise:
/// - the "fill" and "stroke" classes of the engraver's style sheet become attributes (a path
///   with both the "stroke" class and a stroke-width attribute, as bar lines are, is drawn
///   without a stroke when the class is left to the style sheet);
/// - "currentColor" becomes black, since the view tints a page as a whole.
std::vector<StaffPage> readStaffPages(const std::string& svgOutput);

/// The pages one below the other as one SVG document.
std::string stackedStaffSvg(const std::vector<StaffPage>& pages);

} // namespace notaro::interchange
