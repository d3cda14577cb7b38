// What the host reads about the effect without running it, and the
// runtime's module-relative names and data-file listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "probe.h"
#include "script/kelvrixeffect.h"
#include "scripts.h"
#include "shell/entry.h"
#include "shell/platform/module.h"
#include "shell/platform/system.h"

using namespace testing_runtime;
namespace fs = std::filesystem;

namespace {

const std::string kTitle = "HALVORIK - Velmarch - (20200828)";

TEST(EffectEntry, TheRecordShowsTheEffectsIdentity) {
    testing_shell::FakeHost host;
    AEffect* e = createEffectInstance(&testing_shell::FakeHost::callback);
    ASSERT_NE(e, nullptr);
    auto* shell = static_cast<CVeST*>(e->object);
    auto* effect = static_cast<TKelvrix*>(VeSTGetClient(shell));
    ASSERT_NE(dynamic_cast<TKelvrixEffect*>(effect), nullptr);
    EXPECT_EQ(effect->shell, shell);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, static_cast<int32_t>(effect->sliderRecords.size()));
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->uniqueID, 6248);
    // No editor yet: the record announces replacing, double and chunks only.
    EXPECT_EQ(e->flags, 4144);
    EXPECT_EQ(e->dispatcher(e, effGetVendorVersion, 0, 0, nullptr, 0.0f), 1000);
    char text[80] = {};
    EXPECT_EQ(e->dispatcher(e, effGetEffectName, 0, 0, text, 0.0f), 1);
    EXPECT_EQ(text, kTitle);
    EXPECT_EQ(e->dispatcher(e, effGetProductString, 0, 0, text, 0.0f), 1);
    EXPECT_EQ(text, kTitle);
    EXPECT_EQ(e->dispatcher(e, effGetVendorString, 0, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "HALVORIK");
    EXPECT_EQ(effect->programName, kTitle);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

TEST(EffectEntry, AHostThatRefusesGetsNoEffectAndTheScriptIsDeleted) {
    testing_shell::FakeHost host;
    host.versionAnswer = 0;
    EXPECT_EQ(createEffectInstance(&testing_shell::FakeHost::callback), nullptr);
    bool destroyed = false;
    auto* script = new LoggingScript;
    script->destroyed = &destroyed;
    EXPECT_EQ(kelvrixCreateInstance(script, &testing_shell::FakeHost::callback), nullptr);
    EXPECT_TRUE(destroyed);
}

// The toolkit editor is not part of this build: the effect's request for
// one is refused, so the record does not announce an editor and a redraw
// has no view to invalidate.
TEST(EffectEntry, WithoutTheToolkitEditorNoEditorIsAnnounced) {
    Instance in;
    CVeST* shell = in.script->shell;
    EXPECT_EQ(in.effect->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(VeSTCreateEditor(shell, 340, 340), 0);
    EXPECT_EQ(in.effect->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(VeSTRedraw(shell), 0);
    EXPECT_EQ(VeSTCreateEditor(nullptr, 340, 340), 0);
    EXPECT_EQ(VeSTRedraw(nullptr), 0);
}

struct TextCase {
    int32_t opcode;
    int32_t capacity;
};

// Every text the host reads lands in a buffer of exactly capacity + 1
// bytes: longer texts are cut there and the guard bytes stay intact.
TEST(DescriptionTexts, CopiesStayInsideTheHostsBuffers) {
    Instance in;
    const std::string longText(200, 'x');
    in.script->vendorString = longText;
    in.script->productString = longText;
    in.script->effectName = longText;
    in.script->programName = longText;
    const TextCase cases[] = {{effGetVendorString, kVstMaxVendorStrLen},
                              {effGetProductString, kVstMaxProductStrLen},
                              {effGetEffectName, kVstMaxEffectNameLen},
                              {effGetProgramName, kVstMaxProgNameLen}};
    for (const TextCase& c : cases) {
        std::vector<char> buffer(static_cast<size_t>(c.capacity) + 1 + 16, '#');
        in.dispatch(c.opcode, 0, 0, buffer.data());
        EXPECT_EQ(std::string(buffer.data()), std::string(static_cast<size_t>(c.capacity), 'x'))
            << c.opcode;
        for (size_t i = static_cast<size_t>(c.capacity) + 1; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], '#') << "opcode " << c.opcode << " overran at " << i;
    }
}

TEST(DescriptionTexts, ProgramNameIsReplacedWholeAndTheOthersStay) {
    Instance in;
    in.script->effectName = "effect";
    in.script->productString = "product";
    char name[] = "abc";
    in.dispatch(effSetProgramName, 0, 0, name);
    char text[kVstMaxProgNameLen + 1] = {};
    in.dispatch(effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(in.script->effectName, "effect");
    EXPECT_EQ(in.script->productString, "product");

    std::string longName(40, 'n');
    in.dispatch(effSetProgramName, 0, 0, &longName[0]);
    EXPECT_EQ(in.script->programName, longName);
}

TEST(DescriptionTexts, IndexedProgramNamesAreNotAnsweredAndTheBufferIsUntouched) {
    Instance in;
    char text[kVstMaxProgNameLen + 1] = "keep";
    EXPECT_EQ(in.dispatch(effGetProgramNameIndexed, 0, 0, text), 0);
    EXPECT_STREQ(text, "keep");
}

struct PathCase {
    const char* module;
    const char* name;
    const char* expected;
};

TEST(ModuleRelativePath, OneLeadingSeparatorDroppedFolderKeptNothingNormalised) {
    const PathCase cases[] = {
        {"C:\\Plugins\\fx.dll", "\\Data\\", "C:\\Plugins\\Data\\"},
        {"C:\\Plugins\\fx.dll", "Data/", "C:\\Plugins\\Data/"},
        {"C:\\Plugins\\fx.dll", "", "C:\\Plugins\\"},
        {"C:\\Plugins\\fx.dll", "Data", "C:\\Plugins\\Data"},
        {"C:\\Plugins\\fx.dll", "/Data", "C:\\Plugins\\Data"},
        {"C:\\Plugins\\fx.dll", "\\\\Data", "C:\\Plugins\\\\Data"},
        {"C:\\Plugins/sub\\fx.dll", "a", "C:\\Plugins/sub\\a"},
        {"C:/Plugins/x\\fx.dll", "a", "C:/Plugins/x\\a"},
        {"/usr/lib/vst/fx.so", "state.bin", "/usr/lib/vst/state.bin"},
        {"fx.dll", "\\Data\\", "Data\\"},
        {"", "name", "name"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(moduleRelativePath(c.module, c.name), c.expected) << c.module << " + " << c.name;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(DataFiles, OnlyPlainVisibleFilesAreListedAndAppended) {
    ScratchFolder folder(fs::temp_directory_path() / "velmarch_listing");
    folder.file("a.wav");
    folder.file(".hidden");
    folder.file("b.txt");
    fs::create_directory(folder.path / "sub");
    std::vector<std::string> list{"kept"};
    listDataFiles(folder.withSeparator(), list);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0], "kept");
    EXPECT_EQ(sorted(list), (std::vector<std::string>{"a.wav", "b.txt", "kept"}));
}

TEST(DataFiles, UnlistableFoldersAndMissingSeparatorsGiveNothing) {
    ScratchFolder folder(fs::temp_directory_path() / "velmarch_noseparator");
    folder.file("a.wav");
    std::vector<std::string> list;
    listDataFiles((folder.path / "absent" / "").string(), list);
    listDataFiles("", list);
    // The names are joined to the folder as they are, so their status
    // queries fail and they are left out.
    listDataFiles(folder.path.string(), list);
    EXPECT_TRUE(list.empty());
}

std::string lowerWithBackslashes(std::string s) {
    for (char& c : s) {
        if (c == '/') c = '\\';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// Names resolve against the folder of the module the load hook recorded,
// not against the program or the working folder.
TEST(ModuleRelativePath, NamesResolveInTheRecordedModulesFolder) {
    std::string moduleFile, folder;
    std::vector<std::string> backslash, slash, bare;
    {
        ProbeModule probe;
        ASSERT_NE(probe.handle, nullptr) << PROBE_MODULE;
        moduleFile = platformModuleFileName();
        folder = moduleRelativePath("");
        ScratchFolder data(probe.folder / "Data");
        data.file("one.wav");
        data.file(".hidden");
        fs::create_directory(data.path / "nested");
        listDataFiles(moduleRelativePath("\\Data\\"), backslash);
        listDataFiles(moduleRelativePath("Data/"), slash);
        listDataFiles(moduleRelativePath("Data"), bare);
    }
    std::string expectedSuffix = lowerWithBackslashes(std::string("\\probe\\") + PROBE_MODULE_NAME);
    std::string seen = lowerWithBackslashes(moduleFile);
    ASSERT_GE(seen.size(), expectedSuffix.size()) << moduleFile;
    EXPECT_EQ(seen.substr(seen.size() - expectedSuffix.size()), expectedSuffix) << moduleFile;
    EXPECT_EQ(folder + PROBE_MODULE_NAME, moduleFile);
#ifdef _WIN32
    EXPECT_EQ(backslash, std::vector<std::string>{"one.wav"});
#else
    EXPECT_TRUE(backslash.empty());  // a backslash is part of a POSIX file name
#endif
    EXPECT_EQ(slash, std::vector<std::string>{"one.wav"});
    EXPECT_TRUE(bare.empty());
}

// Without a recorded module the code's own module names itself: here that
// is the test program.
TEST(ModuleRelativePath, WithoutARecordedHandleTheCodesOwnModuleIsUsed) {
    platformSetModuleHandle(nullptr);
    std::string own = platformModuleFileName();
    ASSERT_FALSE(own.empty());
    EXPECT_TRUE(fs::exists(own)) << own;
    EXPECT_EQ(lowerWithBackslashes(own).find("runtime_probe"), std::string::npos);
}

}  // namespace
