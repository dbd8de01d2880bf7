// The process's modal display routine: every form shown modally goes through it.
#pragma once

#include "platform/framework/Forms.h"

// Shows the form modally and returns its modal result. The thread's other windows are disabled
// and lose their always-on-top state for the duration; raises fw::Exception ("Cannot make a
// visible window modal") for a form that is visible, disabled or already modal.
std::int64_t ShowModalForm(fw::TCustomForm& form);
