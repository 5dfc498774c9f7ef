// A row's record handed to a valuation annex through a pointer list: the launcher copies no more
// than both the record and the dialog's block hold, in and back, whichever of the two is longer.
#include <QAbstractButton>

#include <algorithm>
#include <vector>

#include "annex_fixture.h"
#include "ui/annex_dlg.h"
#include "ui/launch_table.h"
#include "ui/launcher_edit.h"

namespace annextest {
namespace {

constexpr ui::ControlDef kControls[] = {{.id = ui::IDOK, .kind = ui::Ctl::Ok, .textId = 61, .row = 0, .col = 0},
                                        {.id = ui::IDCANCEL, .kind = ui::Ctl::Cancel, .textId = 65, .row = 0, .col = 1}};
constexpr ui::DialogTemplate kTemplate{.id = 1, .captionId = 0, .controls = kControls};

// Stands in for a valuation dialog of the program where none is registered yet.
template <std::size_t N>
class ValuationStandIn : public ui::CAnnexDlg {
 public:
  explicit ValuationStandIn(const ui::AnnexArgs& a) : CAnnexDlg(kTemplate, N, a) {}
};

class LauncherBounds : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    if (!ui::IsAnnexClassRegistered("CValtransea2Dlg")) ui::RegisterAnnex<ValuationStandIn<760>>("CValtransea2Dlg");
    if (!ui::IsAnnexClassRegistered("CValtranseaDlg")) ui::RegisterAnnex<ValuationStandIn<200>>("CValtranseaDlg");
  }
};

TEST_F(LauncherBounds, ValuationAnnexNeverReadsOrWritesPastTheRecordNorItsBlock) {
  struct Case {
    const char* dialog;
    std::size_t record;
    std::size_t copied;
  };
  constexpr std::size_t kGuard = 64;
  for (const Case& c : {Case{"IDD_VALTRANSEA2", 200, 200}, Case{"IDD_VALTRANSEA", 760, 200},
                        Case{"IDD_VALTRANSEA2", 760, 760}, Case{"IDD_VALTRANSEA", 200, 200}}) {
    SCOPED_TRACE(std::string(c.dialog) + " on " + std::to_string(c.record));
    // The record, then bytes of the next record that the dialog must not see nor change.
    std::vector<std::uint8_t> area(c.record + kGuard, 0x11);
    std::fill(area.begin() + static_cast<std::ptrdiff_t>(c.record), area.end(), std::uint8_t{0xEE});
    ui::AnnexPointerList link{};
    link.block = area.data();
    link.value = 3;
    link.size = static_cast<std::int32_t>(c.record);
    CDialogLauncherEdit launcher(8, 2, c.dialog);
    launcher.SetOption(&link);
    std::size_t seenIn = 0;
    bool sawNext = false;
    qxtest::WhenModal([&](QWidget* m) {
      auto* d = dynamic_cast<ui::IAnnexDialog*>(m);
      ASSERT_NE(d, nullptr);
      const std::span<std::uint8_t> block = d->AnnexBlock();
      seenIn = static_cast<std::size_t>(std::count(block.begin(), block.end(), std::uint8_t{0x11}));
      sawNext = std::find(block.begin(), block.end(), std::uint8_t{0xEE}) != block.end();
      std::fill(block.begin(), block.end(), std::uint8_t{0xAB});
      d->Dialog().done(ui::IDOK);
    });
    EXPECT_EQ(launcher.Launch(), 2);
    // The real dialogs recompute a few of their amounts on opening and on OK, so only the bounds
    // are exact: nothing seen or written beyond what both the record and the block hold.
    EXPECT_LE(seenIn, c.copied);
    EXPECT_GT(seenIn, 0u);
    EXPECT_FALSE(sawNext);
    EXPECT_LE(static_cast<std::size_t>(std::count(area.begin(), area.end(), std::uint8_t{0xAB})), c.copied);
    EXPECT_TRUE(std::all_of(area.begin() + static_cast<std::ptrdiff_t>(c.copied),
                            area.begin() + static_cast<std::ptrdiff_t>(c.record),
                            [](std::uint8_t b) { return b == 0x11; }));
    EXPECT_TRUE(std::all_of(area.begin() + static_cast<std::ptrdiff_t>(c.record), area.end(),
                            [](std::uint8_t b) { return b == 0xEE; }));
  }
}

}  // namespace
}  // namespace annextest
