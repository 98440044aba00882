#include "window/form_scene.h"

#include "screen/layout.h"

namespace zelvane {

WindowScene SceneOf(Mform& form, const ButtonInput& input) {
  return {form.BackColor,
          {{{&form.Mpc, layout::kMpc, layout::kMpcFrame},
            {&form.SCpc, layout::kSCpc},
            {&form.LVpc, layout::kLVpc},
            {&form.ATpc, layout::kATpc},
            {&form.WIpc, layout::kWIpc}}},
          {{{form.Cm1[0].Bounds(), input.Look(form.Cm1, 0)}, {form.Cm1[1].Bounds(), input.Look(form.Cm1, 1)}}}};
}

}  // namespace zelvane
