#include "interchange/StaffPage.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace notaro::interchange {

namespace {

/// The value of attribute name in one tag; "" when it has none.
std::string_view attribute(std::string_view tag, std::string_view name) {
    size_t pos = 0;
    while ((pos = tag.find(name, pos)) != std::string_view::npos) {
        const size_t quote = pos + name.size() + 1;
        const bool whole =
            pos > 0 && (tag[pos - 1] == ' ' || tag[pos - 1] == '\t' || tag[pos - 1] == '\n');
        if (whole && quote < tag.size() && tag[quote - 1] == '=' && tag[quote] == '"') {
            const size_t end = tag.find('"', quote + 1);
            if (end != std::string_view::npos)
                return tag.substr(quote + 1, end - quote - 1);
        }
        pos += name.size();
    }
    return {};
}

double number(std::string_view text) {
    return std::strtod(std::string(text).c_str(), nullptr);
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
}

/// One tag as Qt Svg should see it.
std::string rewrittenTag(std::string_view tag) {
    std::string out(tag);
    replaceAll(out, "class=\"fill\"", "fill=\"black\"");
    replaceAll(out, "class=\"stroke\"", "stroke=\"black\" fill=\"none\"");
    replaceAll(out, "currentColor", "black");
    if (out.compare(0, 5, "<text") == 0 && attribute(out, "fill").empty())
        out.insert(5, " fill=\"black\"");
    return out;
}

StaffPage readPage(std::string_view doc) {
    StaffPage page;
    page.svg.reserve(doc.size());
    size_t pos = 0;
    while (pos < doc.size()) {
        const size_t open = doc.find('<', pos);
        if (open == std::string_view::npos) {
            page.svg.append(doc.substr(pos));
            break;
        }
        page.svg.append(doc.substr(pos, open - pos));
        if (doc.compare(open, 6, "<style") == 0) {
            const size_t end = doc.find("</style>", open);
            pos = end == std::string_view::npos ? doc.size() : end + 8;
            continue;
        }
        const size_t close = doc.find('>', open);
        const size_t end = close == std::string_view::npos ? doc.size() : close + 1;
        const std::string_view tag = doc.substr(open, end - open);
        pos = end;
        if (tag.compare(0, 5, "<abc ") == 0) {
            const std::string_view type = attribute(tag, "type");
            page.boxes.push_back(
                {type.empty() ? '?' : type[0], static_cast<int32_t>(number(attribute(tag, "row"))),
                 static_cast<int32_t>(number(attribute(tag, "col"))), number(attribute(tag, "x")),
                 number(attribute(tag, "y")), number(attribute(tag, "width")),
                 number(attribute(tag, "height"))});
            if (pos < doc.size() && doc[pos] == '\n')
                ++pos;
            continue;
        }
        if (tag.compare(0, 4, "<svg") == 0) {
            page.width = number(attribute(tag, "width"));
            page.height = number(attribute(tag, "height"));
        }
        page.svg += rewrittenTag(tag);
    }
    return page;
}

} // namespace

std::vector<StaffPage> readStaffPages(const std::string& svgOutput) {
    std::vector<StaffPage> pages;
    size_t pos = 0;
    while ((pos = svgOutput.find("<svg", pos)) != std::string::npos) {
        size_t end = svgOutput.find("</svg>", pos);
        end = end == std::string::npos ? svgOutput.size() : end + 6;
        pages.push_back(readPage(std::string_view(svgOutput).substr(pos, end - pos)));
        pos = end;
    }
    return pages;
}

std::string stackedStaffSvg(const std::vector<StaffPage>& pages) {
    double width = 0, height = 0;
    for (const StaffPage& page : pages) {
        width = std::max(width, page.width);
        height += page.height;
    }
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"\n"
                      "\txmlns:xlink=\"http://www.w3.org/1999/xlink\"\n\twidth=\"" +
                      std::to_string(width) + "px\" height=\"" + std::to_string(height) + "px\">\n";
    double top = 0;
    for (const StaffPage& page : pages) {
        // Each page keeps its own size and gets its place from the attributes added here.
        std::string svg = page.svg;
        svg.insert(4, " y=\"" + std::to_string(top) + "\"");
        out += svg + "\n";
        top += page.height;
    }
    return out + "</svg>\n";
}

} // namespace notaro::interchange
