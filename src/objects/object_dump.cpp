#include "objects/object_dump.h"

#include "common/json_text.h"
#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"
#include "script/typed_params.h"

namespace rivo {
namespace {

std::string PropertyJson(const TRivoObject& object, int32_t id) {
  switch (FindProperty(id)->kind) {
    case PT_STR: {
      TParamStr v;
      GetPropById(object, id, v);
      return JsonString(v.AsStr());
    }
    case PT_FLOAT: {
      TParamFloat v;
      GetPropById(object, id, v);
      return JsonReal(v.AsFloat());
    }
    case PT_BOOL: {
      TParamFlag v;
      GetPropById(object, id, v);
      return v.AsBool() ? "true" : "false";
    }
    default: {
      TParamInt v;
      GetPropById(object, id, v);
      return std::to_string(v.AsInt());
    }
  }
}

std::string ObjectJson(const TRivoObject& object) {
  const char* type = ObjectTypeName(object.GetCompoType());
  const TRivoControl* control = object.AsControl();
  std::string out = "    {\"type\": \"" + std::string(type ? type : "?") + "\", \"name\": " +
                    JsonString(object.GetName()) + ", \"parent\": " +
                    (control && control->Parent() ? JsonString(control->Parent()->GetName()) : "null") +
                    ", \"released\": " + (object.IsReleased() ? "true" : "false") + ", \"properties\": {";
  bool first = true;
  for (int32_t id = 0; id < kPropertyCount; ++id) {
    if (!object.Properties()[id].get) continue;
    out += first ? "" : ", ";
    first = false;
    out += "\"" + std::string(FindProperty(id)->name) + "\": " + PropertyJson(object, id);
  }
  return out + "}}";
}

std::string EventJson(const TRivoBaseList& screen, const TTimerData& entry) {
  std::string sender = entry.Sender.IsNone()             ? "null"
                       : screen.Resolve(entry.Sender) ? JsonString(screen.SenderName(entry.Sender))
                                                      : "\"destroyed\"";
  std::string out = "    {\"page\": " + JsonString(entry.Page) + ", \"sender\": " + sender +
                    ", \"kind\": " + std::to_string(entry.Kind) + ", \"level\": " + std::to_string(entry.Level) +
                    ", \"args\": [";
  for (std::size_t i = 0; i < entry.Args.size(); ++i) out += (i ? ", " : "") + JsonString(entry.Args[i]);
  return out + "]}";
}

}  // namespace

std::string DumpObjectsJson(const TRivoBaseList& screen) {
  std::string out = "{\n  \"objects\": [";
  for (int32_t i = 0; i < screen.ObjectCount(); ++i)
    out += (i ? ",\n" : "\n") + ObjectJson(screen.GetObjectAt(i));
  out += "\n  ],\n  \"events\": [";
  const TTimerList& events = screen.Events();
  for (int32_t i = 0; i < events.Count(); ++i) out += (i ? ",\n" : "\n") + EventJson(screen, events[i]);
  return out + "\n  ]\n}\n";
}

}  // namespace rivo
