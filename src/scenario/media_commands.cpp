// MovieStop and MediaPlay: stopping and restarting sounds and movies.

#include "common/sjis.h"
#include "content/vr_file_manager.h"
#include "media/media_system.h"
#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "scenario/object_commands.h"
#include "script/typed_params.h"

namespace rivo {

namespace {
// A fade of a file that is gone would wait for nothing: such a stop does not wait.
bool SourceExists(TCallMan& calls, TRivoObject& object) {
  TParamStr source;
  GetPropById(object, PR_SOURCE, source);
  const std::string name = source.AsStr();
  if (name.rfind("CD_", 0) == 0) return true;
  TMediaSystem* media = calls.Screen().Media();
  return media && media->Files().Exists(name);
}
}  // namespace

void TComMovieStop::Begin(TCallMan& calls) {
  Block = IsTrue(calls, BlockEvents);
  Waiting = false;
  ObjectName.clear();
  const std::string name = EvaluateText(calls, Object);
  if (name.empty()) return;
  TRivoObject* target = calls.Screen().FindObjectByName(name);
  if (!target) return;
  const TCustomParam* fade_value = EvaluateExpression(calls, FadeTime);
  const int32_t fade = fade_value ? fade_value->AsInt() : 0;
  if (fade <= 0) {
    target->SetPlayState(LP_STOP);
    target->Release();
    return;
  }
  if (!SourceExists(calls, *target)) return;
  const int32_t state = target->GetPlayState();
  if (state != LP_PLAY && state != LP_PLAYFADE) return;
  TParamInt delay;
  delay.SetInt(fade);
  SetPropById(*target, PR_DELAY, delay);
  target->SetPlayState(LP_STOPFADE);
  // The fading object has taken its new name ("SCRAP_" …), or is gone.
  if (!target->IsReleased()) ObjectName = target->GetName();
  if (const TCustomParam* wait = EvaluateExpression(calls, Wait)) Waiting = wait->AsBool();
}

void TComMovieStop::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  if (!Waiting || ObjectName.empty() || !calls.Screen().FindObjectByName(ObjectName)) {
    ++pc;
    return;
  }
  calls.SetRunOn(false);
}

void TComMediaPlay::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  const std::string name = EvaluateText(calls, Object);
  if (name.empty()) return;
  if (TRivoObject* object = calls.Screen().FindObjectByName(name)) object->Rewind();
}

}  // namespace rivo
