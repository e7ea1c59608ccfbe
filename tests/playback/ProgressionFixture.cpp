#include "ProgressionFixture.h"

namespace PlaybackTest {

void ProgressionFixture::SetUp()
{
    PlaybackFixture::SetUp();
    view_ = std::make_unique<ProgressionFakeWindow>(window_);
    const PlaybackContext context{state_, board_,   selection_, settings_, *tracer_,
                                  *log_,  dialogs_, pump_,      clock_,    window_};
    progression_ = std::make_unique<ProgressionTimerHandler>(context, *play_, *view_);
    display_ = std::make_unique<DisplayTimerHandler>(context, *view_);
}

void ProgressionFixture::TearDown()
{
    progression_.reset();
    display_.reset();
    PlaybackFixture::TearDown();
}

void ProgressionFixture::TickAfter(int ms)
{
    if (ms > 0) {
        Render(kRate / 1000 * ms);
        clock_.Advance(ms);
    }
    progression_->ProgressionTimerAdvance();
}

void ProgressionFixture::RunTimers(int ms, const std::function<bool()>& until)
{
    for (int t = 0; t < ms; t += 10) {
        elapsedMs_ += 10;
        TickAfter(10);
        if (elapsedMs_ % 1000 == 0) {
            display_->DisplayTimerAdvance();
        }
        if (until && until()) {
            return;
        }
    }
}

void ProgressionFixture::UsePlayListPage()
{
    board_.PagePlay[1][1] = QStringLiteral("T");
    board_.RapidFire[1][1] = QStringLiteral("F");
    state_.PlayListMode = true;
}

} // namespace PlaybackTest
