// Sliders as the host sees them: quantisation, normalisation, data-file
// items and the parameter texts; and the string table.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>

#include "probe.h"
#include "scripts.h"

using namespace testing_runtime;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

int sliderRuns(const LoggingScript& s) {
    return static_cast<int>(std::count(s.log.begin(), s.log.end(), "slider"));
}

// Reads a parameter text through a buffer of exactly kVstMaxParamStrLen + 1
// bytes followed by guard bytes, failing the test on an overrun.
template <typename Read>
std::string paramText(Read read) {
    char buffer[kVstMaxParamStrLen + 1 + 8];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    read(buffer);
    for (size_t i = kVstMaxParamStrLen + 1; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << "overrun at " << i;
    return std::string(buffer, strnlen(buffer, kVstMaxParamStrLen + 1));
}

std::string display(const TKelvrix& s, int32_t index) {
    return paramText([&](char* t) { s.getParameterDisplay(index, t); });
}

struct Percent : LoggingScript {
    double bound = -1.0;
    Percent() {
        addSlider(20, nullptr, 0, 0, 100, 0.001, "", "", "", "20");
        addSlider(21, &bound, 1, 1, 2, 0.3, "", "extra", "dB", "twenty-one");
    }
};

TEST(Sliders, DeclarationStoresTheDefaultAndNumbersParametersInOrder) {
    Percent s;
    ASSERT_EQ(s.sliderRecords.size(), 2u);
    EXPECT_EQ(s.sliderValues[21], 1.0);
    EXPECT_EQ(s.sliderRecords[1].sliderNumber, 21);
    EXPECT_EQ(s.sliderRecords[1].extraText, "extra");
    EXPECT_TRUE(s.sliderRecords[1].itemsPrepared);
    EXPECT_TRUE(s.sliderRecords[1].items.empty());
    EXPECT_EQ(s.addSlider(22, nullptr, 3, 0, 10, 1, "", "", "", "x"), 2);
    // A slider number beyond the 128 values declares nothing.
    EXPECT_EQ(s.addSlider(128, nullptr, 3, 0, 10, 1, "", "", "", "x"), -1);
    EXPECT_EQ(s.addSlider(-1, nullptr, 3, 0, 10, 1, "", "", "", "x"), -1);
    EXPECT_EQ(s.sliderRecords.size(), 3u);
}

TEST(Sliders, SetParameterQuantisesOnTheStepGridAndSkipsRepeats) {
    Percent s;
    s.setParameter(0, 0.5);
    EXPECT_EQ(s.sliderValues[20], 50.0);
    EXPECT_EQ(sliderRuns(s), 1);
    s.setParameter(0, 0.5);
    EXPECT_EQ(sliderRuns(s), 1);
    EXPECT_EQ(s.getParameter(0), 0.5);
    EXPECT_EQ(display(s, 0), "50.00");

    // 12.3456 + 0.0005 is 12346.1 steps, floored to 12346.
    s.setParameter(0, 0.123456);
    EXPECT_NEAR(s.sliderValues[20], 12.346, 1e-12);
    EXPECT_EQ(sliderRuns(s), 2);
    // Within 0.00001 of the stored value counts as no change.
    s.sliderValues[20] = 12.346 + 0.000005;
    s.setParameter(0, 0.123456);
    EXPECT_EQ(sliderRuns(s), 2);
}

TEST(Sliders, TheGridCountsFromZeroNotFromTheMinimum) {
    Percent s;
    // (1 + 0.15) / 0.3 = 3.83 steps, floored to 3: 0.9, below the minimum.
    s.setParameter(1, 0.0);
    EXPECT_NEAR(s.sliderValues[21], 0.9, 1e-12);
    EXPECT_EQ(s.bound, s.sliderValues[21]);
    EXPECT_EQ(sliderRuns(s), 1);
}

TEST(Sliders, GetParameterIsNotClamped) {
    Percent s;
    s.sliderValues[20] = 150;
    EXPECT_EQ(s.getParameter(0), 1.5);
    s.sliderValues[21] = 0.5;
    EXPECT_EQ(s.getParameter(1), -0.5);
}

TEST(Sliders, IndicesOutsideTheDeclaredSlidersAreIgnored) {
    Percent s;
    for (int32_t index : {-1, 2, 127, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(s.getParameter(index), 0.0) << index;
        s.setParameter(index, 0.7);
        EXPECT_EQ(paramText([&](char* t) {
                      t[0] = '\0';
                      s.getParameterName(index, t);
                      s.getParameterLabel(index, t);
                      s.getParameterDisplay(index, t);
                  }),
                  "")
            << index;
    }
    EXPECT_EQ(sliderRuns(s), 0);
    EXPECT_EQ(s.sliderValues[20], 0.0);
}

struct DisplayCase {
    double value;
    const char* text;
};

TEST(Sliders, NumbersShowTwoDecimalsCutToTheHostsEightCharacters) {
    Percent s;
    const DisplayCase cases[] = {{37.5, "37.50"},   {-0.001, "-0.00"},       {0.0, "0.00"},
                                 {12.346, "12.35"}, {99999.999, "100000.0"}, {-1234.5, "-1234.50"},
                                 {1e300, "10000000"}};
    for (const DisplayCase& c : cases) {
        s.sliderValues[20] = c.value;
        EXPECT_EQ(display(s, 0), c.text) << c.value;
    }
    s.sliderValues[20] = kNaN;
    std::string nan = display(s, 0);
    EXPECT_TRUE(nan == "nan" || nan == "-nan") << nan;
}

TEST(Sliders, DisplaysIgnoreTheProcessLocale) {
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German",
                                  "fr_FR.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales)
        if (std::setlocale(LC_NUMERIC, name)) {
            chosen = name;
            break;
        }
    if (!chosen) GTEST_SKIP() << "no locale with a decimal comma on this system";
    Percent s;
    s.sliderValues[20] = 37.5;
    std::string text = display(s, 0);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "37.50") << chosen;
}

TEST(Sliders, NameAndLabelAreCutToTheHostsBuffer) {
    Percent s;
    EXPECT_EQ(paramText([&](char* t) { s.getParameterName(0, t); }), "20");
    EXPECT_EQ(paramText([&](char* t) { s.getParameterName(1, t); }), "twenty-o");
    EXPECT_EQ(paramText([&](char* t) { s.getParameterLabel(1, t); }), "dB");
    EXPECT_EQ(paramText([&](char* t) { s.getParameterLabel(0, t); }), "");
}

// Sliders whose items are the files of a folder next to the module.
struct DataSlider : LoggingScript {
    explicit DataSlider(const char* path) {
        addSlider(5, nullptr, 4, 10, 20, 1, path, "", "", "file");
    }
};

TEST(DataFileSliders, ThreeFilesBecomeThreeItemsOnHalfSteps) {
    ProbeModule probe;
    ASSERT_NE(probe.handle, nullptr);
    ScratchFolder data(probe.folder / "Samples");
    data.file("kick.wav");
    data.file("snare.wav");
    data.file("long_file_name.wav");
    data.file(".hidden");
    DataSlider s("Samples/");
    const CKelvrixSliderRecord& r = s.sliderRecords[0];
    std::vector<std::string> items = r.items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{"kick.wav", "long_file_name.wav", "snare.wav"}));
    EXPECT_EQ(r.defaultValue, 0.0);
    EXPECT_EQ(r.minimum, 0.0);
    EXPECT_EQ(r.maximum, 2.0);
    EXPECT_EQ(r.step, 0.5);
    EXPECT_EQ(s.sliderValues[5], 4.0);  // the declared default stays

    auto item = [&](size_t k) { return r.items[k].substr(0, kVstMaxParamStrLen); };
    s.setParameter(0, 0.4);  // 1.05 / 0.5 = 2.1 half steps: 1.0
    EXPECT_EQ(s.sliderValues[5], 1.0);
    EXPECT_EQ(display(s, 0), item(1));
    s.setParameter(0, 0.3);  // 0.85 / 0.5 = 1.7: 0.5, still the first item
    EXPECT_EQ(s.sliderValues[5], 0.5);
    EXPECT_EQ(display(s, 0), item(0));

    // Below the range and not a number show the first item, above it the
    // last; a position beyond int32 counts as below.
    const std::pair<double, size_t> clamped[] = {{-3, 0}, {kNaN, 0}, {2.0, 2}, {7.5, 2}, {1e12, 0}};
    for (const auto& c : clamped) {
        s.sliderValues[5] = c.first;
        EXPECT_EQ(display(s, 0), item(c.second)) << c.first;
    }
}

TEST(DataFileSliders, NoFilesOrNoFolderGiveOneItemAndARangeOfZero) {
    ProbeModule probe;
    ASSERT_NE(probe.handle, nullptr);
    ScratchFolder empty(probe.folder / "Empty");
    empty.file(".only-hidden");
    std::filesystem::create_directory(empty.path / "folder");
    for (const char* path : {"Empty/", "Missing/", "Empty"}) {
        DataSlider s(path);
        const CKelvrixSliderRecord& r = s.sliderRecords[0];
        EXPECT_EQ(r.items, std::vector<std::string>{"(No Data Files)"}) << path;
        EXPECT_EQ(r.minimum, 0.0);
        EXPECT_EQ(r.maximum, 0.0);
        EXPECT_EQ(r.step, 0.5);
        // No range: the host is given 0, not zero divided by zero.
        EXPECT_EQ(s.getParameter(0), 0.0) << path;
        for (double v : {0.0, 4.0, -1.0, kNaN}) {
            s.sliderValues[5] = v;
            EXPECT_EQ(display(s, 0), "(No Data") << path;
        }
    }
}

TEST(StringTable, RegisteringReplacesReadingCreatesAndTheCountFollows) {
    LoggingScript s;
    EXPECT_EQ(s.registerLiteral(10001, "x"), 10001);
    EXPECT_EQ(s.registerLiteral(10001, "y"), 10001);
    EXPECT_EQ(s.strings.size(), 1u);
    EXPECT_EQ(s.stringText(10001), "y");
    EXPECT_EQ(s.stringCount, 1.0);
    EXPECT_EQ(s.stringText(5), "");
    EXPECT_EQ(s.strings.count(5), 1u);
    EXPECT_EQ(s.stringCount, 2.0);
    s.registerLiteral(-1, "minus one");
    EXPECT_EQ(s.stringText(toInt(-1.0)), "minus one");
    EXPECT_EQ(s.stringText(toInt(10000.99995)), "y");
    EXPECT_EQ(s.stringText(toInt(10001.00009)), "y");
    EXPECT_EQ(s.strings.begin()->first, -1);  // ordered by id
    s.reset();
    EXPECT_TRUE(s.strings.empty());
    EXPECT_EQ(s.stringCount, 0.0);
}

}  // namespace
