#pragma once

#include <cstdint>
#include <string>

namespace velmor {

class EngineAdapter;
class MatrixList;
class ComboBox;
class PlatformServices;

// Public state of the main window that the result window reads and writes.
struct MainWindowState {
    std::int16_t gintNo_Rows = 0;
    std::int16_t gintNo_Columns = 0;
    bool gfMatricesSaved = true;
    std::string gstrMinValue;
    std::string gstrMaxValue;
    std::int16_t gintCursor = 0;
    std::int16_t gintStdColWidth = 960;
    std::int16_t gintCellWidth = 0;
    std::int16_t gintFormWidth = 0;
    std::int16_t gintFormHeight = 0;
};

// What the result window needs of the main window.
class MainWindowLink {
  public:
    virtual ~MainWindowLink() = default;
    virtual EngineAdapter& engine() = 0;
    virtual MatrixList& matrices() = 0;
    virtual MainWindowState& state() = 0;
    virtual PlatformServices& platformServices() = 0;
    virtual ComboBox& firstSelector() = 0;  // cboMatrixInput
    virtual ComboBox& secondSelector() = 0; // cboMatrixInput2
    virtual void TabStopMatrixOps() = 0;
    virtual void Show() = 0;
    virtual PlatformServices& services() = 0;
};

// The cell width rule: (slider / 10 + 1) x standard width, rounded half to even into 16 bits.
std::int16_t cellWidthFor(int sliderValue, std::int16_t stdColWidth);

} // namespace velmor
