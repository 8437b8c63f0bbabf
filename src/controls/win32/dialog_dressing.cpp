#include "controls/win32/dialog_dressing.h"

namespace tarvek::controls {

// Until the drawn controls exist, a dressed control keeps its plain look.
struct DialogDressing::Controls {};

DialogDressing::DialogDressing(HWND dialog)
    : m_hDialog(dialog), m_pControls(std::make_unique<Controls>()) {}

DialogDressing::~DialogDressing() = default;

void DialogDressing::DressButton(int /*id*/, int /*iconId*/) {}

void DialogDressing::DressGroupBox(int /*id*/, std::uint32_t /*captionColor*/, bool /*bold*/,
                                   ui::CaptionAlign /*align*/) {}

}  // namespace tarvek::controls
