#include "scenario/component_commands.h"

#include "scenario/command_support.h"
#include "scenario/page.h"

namespace rivo {

TComComponent::TComComponent(TPage& page, uint8_t code) : TCommand(page) {
  for (int32_t id = 0; id < kPropertyCount; ++id)
    if (page.HasProperty(code, id)) Properties[static_cast<std::size_t>(id)] = std::make_unique<TRivoParser>();
}

void TComComponent::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  SkipUnsupported(calls, *this, pc);
}

}  // namespace rivo
