#pragma once

// A ClickLabel is a button to a screen reader, pressed through its press
// action as by a click. Installed by every ClickLabel on construction.
namespace AccessibleClickLabel {

void Install();

}  // namespace AccessibleClickLabel
