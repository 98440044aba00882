#include "game/mform.h"

namespace zelvane {

const std::array<Mform::TimerBinding, 7> Mform::kTimers{{
    {&Mform::OPtimer, &Mform::OPtimer_Timer},
    {&Mform::STtimer, &Mform::STtimer_Timer},
    {&Mform::GMtime, &Mform::GMtime_Timer},
    {&Mform::ATtimer, &Mform::ATtimer_Timer},
    {&Mform::GOtimer, &Mform::GOtimer_Timer},
    {&Mform::OVtimer, &Mform::OVtimer_Timer},
    {&Mform::PointCtimer, &Mform::PointCtimer_Timer},
}};

Mform::Mform(const Image& atlas, CuePlayer& cues, FileSystem& files) : Kpc(atlas), cues_(cues), files_(files) {
  Cm1[0].caption = "Start";
  Cm1[0].top = layout::kStartTop;
  Cm1[1].caption = "End";
  Cm1[1].top = layout::kEndTop;
}

void Mform::DeliverLoad(std::int64_t now) {
  clock.now = now;
  Form_Load();
  HandlerReturned();
}

void Mform::DeliverKeyDown(std::int64_t now, std::int16_t keyCode, std::int16_t shift) {
  clock.now = now;
  if (endRequested_ || SaveWaiting() || !KeyPreview) return;
  Form_KeyDown(keyCode, shift);
  HandlerReturned();
}

void Mform::DeliverClick(std::int64_t now, std::int16_t index) {
  clock.now = now;
  if (endRequested_ || index < 0 || index >= static_cast<std::int16_t>(Cm1.size())) return;
  if (!Cm1[static_cast<std::size_t>(index)].enabled) return;
  if (SaveWaiting()) {
    GiveUpSaving();
  } else {
    Cm1_Click(index);
  }
  HandlerReturned();
}

void Mform::DeliverClose(std::int64_t now) {
  clock.now = now;
  if (endRequested_) return;
  if (SaveWaiting()) {
    GiveUpSaving();
  } else {
    Form_Unload();
  }
  HandlerReturned();
}

std::optional<std::int64_t> Mform::NextDue() const {
  std::optional<std::int64_t> next;
  if (endRequested_ || SaveWaiting()) return saveRetryAt_;
  for (const TimerBinding& binding : kTimers) {
    const Timer& timer = this->*binding.timer;
    if (timer.Enabled() && (!next || timer.Due() < *next)) next = timer.Due();
  }
  return next;
}

bool Mform::DeliverDueTick(std::int64_t now) {
  clock.now = now;
  if (endRequested_) return false;
  // While the save waits, the game stands still.
  if (SaveWaiting()) {
    if (*saveRetryAt_ > now) return false;
    EndAfterSaving();
    HandlerReturned();
    return true;
  }
  const TimerBinding* due = nullptr;
  for (const TimerBinding& binding : kTimers) {
    const Timer& timer = this->*binding.timer;
    if (timer.Enabled() && timer.Due() <= now && (!due || timer.Due() < (this->*due->timer).Due())) {
      due = &binding;
    }
  }
  if (!due) return false;
  (this->*due->timer).Fired(now);
  (this->*due->handler)();
  HandlerReturned();
  return true;
}

void Mform::RepaintAll() {
  for (Panel* panel : Panels()) panel->Repaint();
}

void Mform::Blit(Panel& panel, int x, int y, int width, int height, Point from) {
  panel.Copy(x, y, width, height, Kpc, from.x, from.y);
}

void Mform::Blit(Panel& panel, int x, int y, const Rect& region) {
  panel.Copy(x, y, region.w, region.h, Kpc, region.x, region.y);
}

void Mform::EndProcess(int status) {
  endRequested_ = true;
  exitStatus_ = status;
}

void Mform::HandlerReturned() {
  for (Panel* panel : Panels()) panel->HandlerReturned();
}

std::array<Panel*, 5> Mform::Panels() { return {&Mpc, &SCpc, &LVpc, &ATpc, &WIpc}; }

}  // namespace zelvane
