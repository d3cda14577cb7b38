#include "kelvrix.h"

#include "shell/platform/system.h"
#include "shell/vestclient.h"

double& CKelvrixMemory::memoryAt(int32_t index) {
    uint32_t offset = static_cast<uint32_t>(index) & 0xFFFFu;
    // index - offset is a whole multiple of the page size, so the division
    // is exact and floors for negative indices too.
    int32_t page = static_cast<int32_t>((static_cast<int64_t>(index) - offset) / kPageSize);
    std::vector<double>& cells = pages[page];
    if (cells.size() < static_cast<size_t>(kPageSize)) cells.resize(kPageSize, 0.0);
    return cells[offset];
}

TKelvrix::TKelvrix() : readClock(&platformClockMilliseconds) {
    // The object is not yet the derived script, so this is the runtime's
    // own reset; the script's override runs at effOpen.
    TKelvrix::reset();
}

TKelvrix::~TKelvrix() = default;

void TKelvrix::reset() {
    pages.clear();
    strings.clear();
    stringCount = 0.0;
    redrawClock = 0;
}

void TKelvrix::doResume() {
    doInit();
    doSlider();
}

int32_t TKelvrix::initOnce() {
    if (initCount == 0) doInit();
    return ++initCount;
}

void TKelvrix::doIdle() {
    if (!(frameRate > 0.0)) return;
    int32_t now = readClock();
    // Difference in unsigned arithmetic: the clock may wrap around.
    int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(now) -
                                           static_cast<uint32_t>(redrawClock));
    if (static_cast<double>(elapsed) > 1000.0 / frameRate) {
        VeSTRedraw(shell);
        redrawClock = now;
    }
}
