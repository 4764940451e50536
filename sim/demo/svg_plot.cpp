#include "sim/demo/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>

namespace demoreport {

namespace {

constexpr int kColumns = 3;
constexpr double kPanelWidth = 360, kPanelHeight = 160, kGap = 16, kTop = 44;
// The plotting area inside a panel.
constexpr double kLeft = 58, kRight = 10, kTitle = 22, kBottom = 20;

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::string fixed(double value, int digits = 2) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(digits) << value;
    return text.str();
}

struct Panel {
    std::string title;
    const std::vector<Sample>* perFrame;
    const std::vector<Sample>* keyframes;
    std::size_t component;
};

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (!std::isfinite(v)) return;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool empty() const { return low > high; }
    // A little room around the values; a flat line gets a band of its own.
    void pad() {
        if (empty()) low = 0, high = 1;
        const double span = high - low;
        const double margin = span > 1e-9 ? span * 0.08 : std::max(std::fabs(high) * 0.01, 0.5);
        low -= margin;
        high += margin;
    }
};

std::vector<Panel> panelsOf(const std::vector<ModelReport>& reports) {
    std::vector<Panel> panels;
    for (const ModelReport& report : reports) {
        std::string model = modelName(report.requested);
        if (report.used != report.requested) model += " (" + modelName(report.used) + ")";
        for (const PropertyReport& property : report.properties) {
            const std::size_t components =
                property.perFrame.empty() ? 1 : property.perFrame.front().value.size();
            for (std::size_t c = 0; c < components; ++c) {
                std::string title = model + ", layer " + std::to_string(report.layer) + ": " + property.label;
                if (components == 2) title += c == 0 ? " x" : " y";
                panels.push_back({title, &property.perFrame, &property.keyframes, c});
            }
        }
    }
    return panels;
}

void drawSeries(std::ostream& out, const std::vector<Sample>& samples, std::size_t component,
                const char* colour, double radius, double width, double x0, double y0, double frameLow,
                double frameSpan, const Range& values) {
    const double plotWidth = kPanelWidth - kLeft - kRight, plotHeight = kPanelHeight - kTitle - kBottom;
    std::ostringstream points, dots;
    for (const Sample& s : samples) {
        if (component >= s.value.size() || !std::isfinite(s.value[component])) continue;
        const double x = x0 + kLeft + (s.time - frameLow) / frameSpan * plotWidth;
        const double y =
            y0 + kTitle + (values.high - s.value[component]) / (values.high - values.low) * plotHeight;
        points << fixed(x) << ',' << fixed(y) << ' ';
        dots << "<circle cx=\"" << fixed(x) << "\" cy=\"" << fixed(y) << "\" r=\"" << radius << "\"/>";
    }
    out << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"" << width << "\" points=\""
        << points.str() << "\"/>\n<g fill=\"" << colour << "\">" << dots.str() << "</g>\n";
}

void drawPanel(std::ostream& out, const Panel& panel, double x0, double y0) {
    Range values, frames;
    for (const std::vector<Sample>* series : {panel.perFrame, panel.keyframes})
        for (const Sample& s : *series) {
            frames.add(s.time);
            if (panel.component < s.value.size()) values.add(s.value[panel.component]);
        }
    values.pad();
    if (frames.empty()) frames.low = 0, frames.high = 1;
    const double frameSpan = std::max(frames.high - frames.low, 1.0);
    const double plotWidth = kPanelWidth - kLeft - kRight, plotHeight = kPanelHeight - kTitle - kBottom;
    out << "<g font-family=\"sans-serif\" font-size=\"10\">\n";
    out << "<text x=\"" << fixed(x0 + 4) << "\" y=\"" << fixed(y0 + 14) << "\" font-size=\"11\">"
        << escaped(panel.title) << "</text>\n";
    out << "<rect x=\"" << fixed(x0 + kLeft) << "\" y=\"" << fixed(y0 + kTitle) << "\" width=\""
        << fixed(plotWidth) << "\" height=\"" << fixed(plotHeight)
        << "\" fill=\"#fafafa\" stroke=\"#999\"/>\n";
    out << "<text x=\"" << fixed(x0 + kLeft - 4) << "\" y=\"" << fixed(y0 + kTitle + 9)
        << "\" text-anchor=\"end\">" << fixed(values.high) << "</text>\n";
    out << "<text x=\"" << fixed(x0 + kLeft - 4) << "\" y=\"" << fixed(y0 + kTitle + plotHeight)
        << "\" text-anchor=\"end\">" << fixed(values.low) << "</text>\n";
    out << "<text x=\"" << fixed(x0 + kLeft) << "\" y=\"" << fixed(y0 + kPanelHeight - 6) << "\">frame "
        << fixed(frames.low, 0) << "</text>\n";
    out << "<text x=\"" << fixed(x0 + kLeft + plotWidth) << "\" y=\"" << fixed(y0 + kPanelHeight - 6)
        << "\" text-anchor=\"end\">" << fixed(frames.low + frameSpan, 0) << "</text>\n";
    out << "<text x=\"" << fixed(x0 + kLeft + plotWidth / 2) << "\" y=\"" << fixed(y0 + kPanelHeight - 6)
        << "\" text-anchor=\"middle\" fill=\"#d22\">" << panel.keyframes->size() << " keys for "
        << panel.perFrame->size() << " values</text>\n";
    drawSeries(out, *panel.perFrame, panel.component, "#888", 1.6, 1, x0, y0, frames.low, frameSpan, values);
    drawSeries(out, *panel.keyframes, panel.component, "#d22", 3, 1.2, x0, y0, frames.low, frameSpan, values);
    out << "</g>\n";
}

}  // namespace

void writeSvgPlot(std::ostream& out, const std::vector<ModelReport>& reports) {
    const std::vector<Panel> panels = panelsOf(reports);
    const std::size_t rows = (panels.size() + kColumns - 1) / kColumns;
    const double width = kColumns * (kPanelWidth + kGap) + kGap;
    const double height = kTop + static_cast<double>(rows) * (kPanelHeight + kGap) + kGap;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << fixed(width, 0) << "\" height=\""
        << fixed(height, 0) << "\" viewBox=\"0 0 " << fixed(width, 0) << ' ' << fixed(height, 0) << "\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << kGap << "\" y=\"26\" font-family=\"sans-serif\" font-size=\"14\">Per-frame values "
        << "(grey) and the keyframes kept in their place (red, joined as the host interpolates "
           "them)</text>\n";
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const double x0 = kGap + static_cast<double>(i % kColumns) * (kPanelWidth + kGap);
        const double y0 = kTop + static_cast<double>(i / kColumns) * (kPanelHeight + kGap);
        drawPanel(out, panels[i], x0, y0);
    }
    out << "</svg>\n";
}

}  // namespace demoreport
