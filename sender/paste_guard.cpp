#include "sender/paste_guard.h"

namespace zrnx {

PasteRefusal DecidePasteTarget(const PasteTargetFacts& facts) {
  if (!facts.target_alive) return PasteRefusal::kGone;
  if (facts.own_level && facts.target_level && *facts.target_level > *facts.own_level)
    return PasteRefusal::kAboveOwnLevel;
  if (facts.by_message) return PasteRefusal::kNone;
  if (facts.foreground == 0) return PasteRefusal::kNotInFront;
  if (facts.foreground == facts.target) return PasteRefusal::kNone;
  if (facts.foreground_root != 0 && facts.foreground_root == facts.target_root) return PasteRefusal::kNone;
  return PasteRefusal::kNotInFront;
}

PasteRefusal CheckPasteTarget(WindowHandle target, bool by_message, SenderSteps& steps) {
  PasteTargetFacts facts;
  facts.by_message = by_message;
  facts.target_alive = steps.IsWindow(target);
  if (!facts.target_alive) return DecidePasteTarget(facts);
  facts.own_level = steps.OwnIntegrityLevel();
  facts.target_level = steps.IntegrityLevel(target);
  facts.target = target;
  facts.target_root = steps.RootOwner(target);
  facts.foreground = steps.ForegroundWindow();
  if (facts.foreground != 0) facts.foreground_root = steps.RootOwner(facts.foreground);
  return DecidePasteTarget(facts);
}

}  // namespace zrnx
