// Sliders as host parameters: the script sees each slider's own value in
// its own range, the host a normalised 0 to 1.
#include <charconv>
#include <cmath>

#include "kelvrix.h"
#include "shell/vst24.h"
#include "shell/vsttext.h"

int32_t CKelvrixDescription::addSlider(int32_t number, double* variable, double defaultValue,
                                       double minimum, double maximum, double step,
                                       const std::string& dataPath, const std::string& extraText,
                                       const std::string& label, const std::string& name) {
    if (number < 0 || number >= kSliderCount) return -1;
    sliderValues[number] = defaultValue;
    CKelvrixSliderRecord record;
    record.sliderNumber = number;
    record.boundVariable = variable;
    record.defaultValue = defaultValue;
    record.minimum = minimum;
    record.maximum = maximum;
    record.step = step;
    record.dataPath = dataPath;
    record.extraText = extraText;
    record.label = label;
    record.name = name;
    sliderRecords.push_back(std::move(record));

    CKelvrixSliderRecord& added = sliderRecords.back();
    if (!added.itemsPrepared) {
        added.itemsPrepared = true;
        if (!added.dataPath.empty()) {
            listDataFiles(moduleRelativePath(added.dataPath), added.items);
            if (added.items.empty()) added.items.emplace_back("(No Data Files)");
            // Half steps, so a host value lands on the nearest item. The
            // slider's value keeps the declared default.
            added.defaultValue = 0.0;
            added.minimum = 0.0;
            added.maximum = static_cast<double>(added.items.size()) - 1.0;
            added.step = 0.5;
        }
    }
    return static_cast<int32_t>(sliderRecords.size()) - 1;
}

namespace {

const CKelvrixSliderRecord* recordAt(const std::vector<CKelvrixSliderRecord>& records,
                                     int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= records.size()) return nullptr;
    return &records[static_cast<size_t>(index)];
}

}  // namespace

double CKelvrixDescription::getParameter(int32_t index) const {
    const CKelvrixSliderRecord* r = recordAt(sliderRecords, index);
    if (!r) return 0.0;
    double range = r->maximum - r->minimum;
    // A one-item data slider has no range; zero divided by zero would give
    // the host a value that is not a number.
    if (range == 0.0) return 0.0;
    return (sliderValues[r->sliderNumber] - r->minimum) / range;
}

void CKelvrixDescription::setParameter(int32_t index, double value) {
    const CKelvrixSliderRecord* r = recordAt(sliderRecords, index);
    if (!r) return;
    double x = (r->maximum - r->minimum) * value + r->minimum;
    x += 0.5 * r->step;
    x /= r->step;
    double quantised = std::floor(x) * r->step;
    double& slider = sliderValues[r->sliderNumber];
    double difference = quantised - slider;
    if (difference > -0.00001 && difference < 0.00001) return;
    slider = quantised;
    if (r->boundVariable) *r->boundVariable = quantised;
    doSlider();
}

void CKelvrixDescription::getParameterName(int32_t index, char* text) const {
    if (const CKelvrixSliderRecord* r = recordAt(sliderRecords, index))
        vstCopyText(text, r->name.c_str(), kVstMaxParamStrLen);
}

void CKelvrixDescription::getParameterLabel(int32_t index, char* text) const {
    if (const CKelvrixSliderRecord* r = recordAt(sliderRecords, index))
        vstCopyText(text, r->label.c_str(), kVstMaxParamStrLen);
}

// Numbers are formatted without the process locale: a host may have set
// one whose decimal separator is not a point.
void CKelvrixDescription::getParameterDisplay(int32_t index, char* text) const {
    const CKelvrixSliderRecord* r = recordAt(sliderRecords, index);
    if (!r) return;
    double v = sliderValues[r->sliderNumber];
    size_t n = r->items.size();
    if (n == 0) {
        char number[400];  // room for the largest double with two decimals
        std::to_chars_result done =
            std::to_chars(number, number + sizeof number - 1, v, std::chars_format::fixed, 2);
        *(done.ec == std::errc() ? done.ptr : number) = '\0';
        vstCopyText(text, number, kVstMaxParamStrLen);
        return;
    }
    double position =
        (static_cast<double>(n) - 1.0) * (v - r->minimum) / (r->maximum - r->minimum);
    // Not a number, or beyond int32: counts as below the first item.
    int64_t k = -1;
    if (position > -2147483649.0 && position < 2147483648.0) k = static_cast<int64_t>(position);
    if (k < 0) k = 0;
    if (k > static_cast<int64_t>(n) - 1) k = static_cast<int64_t>(n) - 1;
    vstCopyText(text, r->items[static_cast<size_t>(k)].c_str(), kVstMaxParamStrLen);
}
