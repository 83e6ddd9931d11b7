#include "scenario/command_factory.h"

#include "common/error.h"
#include "scenario/block_commands.h"
#include "scenario/call_commands.h"
#include "scenario/component_commands.h"
#include "scenario/data_commands.h"
#include "scenario/exit_commands.h"
#include "scenario/flip_command.h"
#include "scenario/label_commands.h"
#include "scenario/object_commands.h"
#include "scenario/reset_commands.h"
#include "scenario/save_commands.h"
#include "scenario/text_commands.h"
#include "scenario/wait_commands.h"

namespace rivo {
namespace {

using Maker = std::unique_ptr<TCommand> (*)(TPage&);

template <typename T>
std::unique_ptr<TCommand> Make(TPage& page) {
  return std::make_unique<T>(page);
}

// Indexed by type code.
constexpr Maker kMakers[kCommandCodeCount] = {
    Make<TComIf>,          Make<TComElseif>,      Make<TComElse>,        Make<TComLabel>,
    Make<TComJump>,        Make<TComCall>,        Make<TComExit>,        Make<TComWait>,
    Make<TComBoxNew>,      Make<TComImgNew>,      Make<TComMesNew>,      Make<TComTimer>,
    Make<TComMovie>,       Make<TComFlip>,        Make<TComCalc>,        Make<TComVarNew>,
    Make<TComVarDel>,      Make<TComGetProp>,     Make<TComSetProp>,     Make<TComObjDel>,
    Make<TComTextIns>,     Make<TComMovieStop>,   Make<TComClrHist>,     Make<TComCinema>,
    Make<TComCaption>,     Make<TComMenu>,        Make<TComMenuClose>,   Make<TComComment>,
    Make<TComTextClr>,     Make<TComCallHist>,    Make<TComBtnNew>,      Make<TComWhile>,
    Make<TComWhileInit>,   Make<TComWhileLoop>,   Make<TComBreak>,       Make<TComContinue>,
    Make<TComParticleNew>, Make<TComFireNew>,     Make<TComGameSave>,    Make<TComGameLoad>,
    Make<TComPCReset>,     Make<TComReset>,       Make<TComSound>,       Make<TComEditNew>,
    Make<TComMemoNew>,     Make<TComTerminate>,   Make<TComDoEvent>,     Make<TComClrRead>,
    Make<TComMapImgNew>,   Make<TComWaveNew>,     Make<TComTileNew>,     Make<TComSliderNew>,
    Make<TComScrollbarNew>, Make<TComGaugeNew>,   Make<TComCGCaption>,   Make<TComMediaPlay>,
    Make<TComPrevMenuNew>, Make<TComPropMotion>,  Make<TComEntryHist>,   Make<TComCabinetSave>,
    Make<TComCabinetLoad>,
};

}  // namespace

std::unique_ptr<TCommand> CreateCommand(TPage& page, uint8_t code) {
  uint8_t type = code & 0x7F;
  if (type >= kCommandCodeCount) throw RivoError("不正なコマンド");
  std::unique_ptr<TCommand> command = kMakers[type](page);
  command->TypeByte = code;
  return command;
}

}  // namespace rivo
