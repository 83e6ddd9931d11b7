// The "DB" functions: scripts' access to the table database (db_manager.h).
// A function that needs the active table, or a named one, leaves its
// neutral answer (false, 0, empty) when there is none.

#include "script/function_call.h"
#include "script/function_families.h"
#include "script/script_text.h"

namespace rivo {

namespace {

TDBTable* Active(FunctionCall& call) { return call.functions.Tables().ActiveTable(); }

// The table named by argument i, or the active one when the call has no argument i.
TDBTable* NamedOrActive(FunctionCall& call, int32_t i) {
  return call.Has(i) ? call.functions.Tables().Find(call.Str(i)) : Active(call);
}

void DBCreateTable(FunctionCall& call) {
  call.dest.SetBool(call.functions.Tables().Create(call.Str(0), call.Int(1)) >= 0);
}

void DBSetActive(FunctionCall& call) { call.dest.SetBool(call.functions.Tables().SetActive(call.Str(0))); }

void DBAddField(FunctionCall& call) {
  TDBTable* table = Active(call);
  int32_t type = call.Int(1);
  if (!table || type < DB_INT || type > DB_STR) return;
  call.dest.SetBool(table->AddField(call.Str(0), static_cast<uint8_t>(type), call.IntOr(2, 0)) >= 0);
}

void DBSetRecNo(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->GoTo(call.Int(0)));
}

// Argument i goes into field i, stored by the argument's own kind.
void DBInsert(FunctionCall& call) {
  TDBTable* table = Active(call);
  if (!table || !table->Append()) return;
  int32_t record = table->Current();
  int32_t stored = std::min(call.Count(), table->Fields().Count());
  for (int32_t i = 0; i < stored; ++i) {
    const TCustomParam& value = call.Arg(i);
    switch (value.GetKind()) {
      case PT_FLOAT: table->SetFloat(record, i, value.AsFloat()); break;
      case PT_BOOL: table->SetBool(record, i, value.AsBool()); break;
      case PT_STR: table->SetStr(record, i, value.AsStr()); break;
      default: table->SetInt(record, i, value.AsInt()); break;
    }
  }
  call.dest.SetBool(true);
}

void DBDelete(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->Delete());
}

void DBGetInt(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetInt(table->GetInt(call.Str(0)).value_or(0));
}
void DBGetFloat(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetFloat(table->GetFloat(call.Str(0)).value_or(0));
}
void DBGetBool(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->GetBool(call.Str(0)).value_or(false));
}
void DBGetStr(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetStr(table->GetStr(call.Str(0)).value_or(""));
}
void DBSetInt(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->SetInt(call.Str(0), call.Int(1)));
}
void DBSetFloat(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->SetFloat(call.Str(0), call.Float(1)));
}
void DBSetBool(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->SetBool(call.Str(0), call.Bool(1)));
}
void DBSetStr(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->SetStr(call.Str(0), call.Str(1)));
}

void DBRecordCount(FunctionCall& call) {
  TDBTable* table = NamedOrActive(call, 0);
  call.dest.SetInt(table ? table->RecordCount() : -1);
}

void DBFindFirst(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->First());
}
void DBFindLast(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->Last());
}
void DBFindNext(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->Next());
}
void DBFindPrior(FunctionCall& call) {
  if (TDBTable* table = Active(call)) call.dest.SetBool(table->Prior());
}

void DBLocate(FunctionCall& call) {
  TDBTable* table = Active(call);
  if (!table) return;
  std::vector<int32_t> found = table->Search(&call.Arg(0), &call.Arg(1), call.BoolOr(2, false), call.BoolOr(3, false));
  call.dest.SetBool(!found.empty() && table->GoTo(found.front()));
}

void DBLoadTsvFile(FunctionCall& call) {
  TDBTable* table = Active(call);
  if (!table) return;
  std::optional<std::string> text = call.functions.ReadFile(call.Str(0));
  if (text) call.dest.SetBool(table->LoadTsv(SplitLines(*text)));
}

// table, names, values, partial, ignoreCase, field
TDBManager::Lookup DirectLookup(const FunctionCall& call, const std::string& table, const std::string& field) {
  return {table, call.Arg(1), call.Arg(2), call.Bool(3), call.Bool(4), field};
}

template <typename R>
R Direct(FunctionCall& call, R (TDBManager::*access)(const TDBManager::Lookup&) const) {
  std::string table = call.Str(0), field = call.Str(5);
  return (call.functions.Tables().*access)(DirectLookup(call, table, field));
}

template <typename V>
bool DirectSet(FunctionCall& call, bool (TDBManager::*access)(const TDBManager::Lookup&, V), V value) {
  std::string table = call.Str(0), field = call.Str(5);
  return (call.functions.Tables().*access)(DirectLookup(call, table, field), value);
}

// The getters' last argument is ignored, except by "DBDirectGetStr", which
// answers it when nothing can be read.
void DBDirectGetInt(FunctionCall& call) { call.dest.SetInt(Direct(call, &TDBManager::DirectGetInt).value_or(0)); }
void DBDirectGetFloat(FunctionCall& call) {
  call.dest.SetFloat(Direct(call, &TDBManager::DirectGetFloat).value_or(0));
}
void DBDirectGetBool(FunctionCall& call) {
  call.dest.SetBool(Direct(call, &TDBManager::DirectGetBool).value_or(false));
}
void DBDirectGetStr(FunctionCall& call) {
  call.dest.SetStr(Direct(call, &TDBManager::DirectGetStr).value_or(call.Str(6)));
}
void DBDirectSetInt(FunctionCall& call) { call.dest.SetBool(DirectSet(call, &TDBManager::DirectSetInt, call.Int(6))); }
void DBDirectSetFloat(FunctionCall& call) {
  call.dest.SetBool(DirectSet(call, &TDBManager::DirectSetFloat, call.Float(6)));
}
void DBDirectSetBool(FunctionCall& call) {
  call.dest.SetBool(DirectSet(call, &TDBManager::DirectSetBool, call.Bool(6)));
}
void DBDirectSetStr(FunctionCall& call) {
  std::string value = call.Str(6);
  call.dest.SetBool(DirectSet<std::string_view>(call, &TDBManager::DirectSetStr, value));
}

// The records of table that names and values (arguments 1 and 2, when
// given) select, with the flags of arguments 3 and 4.
std::vector<int32_t> Selected(const FunctionCall& call, const TDBTable& table) {
  return table.Search(call.Optional(1), call.Optional(2), call.BoolOr(3, false), call.BoolOr(4, false));
}

void DBCopyTable(FunctionCall& call) {
  TDBTable* table = Active(call);
  if (!table) return;
  call.dest.SetBool(call.functions.Tables().CopySelected(call.Str(0), Selected(call, *table)));
}

void DBInsertTable(FunctionCall& call) {
  std::string name = call.Str(0);
  TDBTable* source = call.functions.Tables().Find(name);
  if (!source) return;
  call.dest.SetBool(call.functions.Tables().InsertSelected(name, Selected(call, *source)));
}

void DBDeleteTable(FunctionCall& call) {
  TDBTable* table = NamedOrActive(call, 0);
  if (!table) return;
  std::string name = table->Name();
  call.dest.SetBool(call.functions.Tables().DeleteTable(name));
}

void DBCopy(FunctionCall& call) {
  TDBTable* source = Active(call);
  TDBTable* target = call.functions.Tables().Find(call.Str(0));
  if (!source || !target || !source->Fields().SameAs(target->Fields())) return;
  call.dest.SetBool(target->AppendCopy(*source, source->Current()));
}

void DBClearTable(FunctionCall& call) { call.functions.Tables().ClearAll(); }

void DBSort(FunctionCall& call) {
  TDBTable* table = Active(call);
  if (!table) return;
  table->Sort(call.Arg(0), call.Arg(1));
  call.dest.SetBool(true);
}

void DBGetActive(FunctionCall& call) {
  TDBTable* table = Active(call);
  call.dest.SetStr(table ? table->Name() : "");
}

void DBGetRecNo(FunctionCall& call) {
  TDBTable* table = NamedOrActive(call, 0);
  call.dest.SetInt(table ? table->Current() : -1);
}

void DBClearRecord(FunctionCall& call) {
  TDBTable* table = NamedOrActive(call, 0);
  if (!table) return;
  table->ClearRecords();
  call.dest.SetBool(true);
}

}  // namespace

void AddTableFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "DBCreateTable", DBCreateTable);
  SetBody(bodies, "DBSetActive", DBSetActive);
  SetBody(bodies, "DBAddField", DBAddField);
  SetBody(bodies, "DBSetRecNo", DBSetRecNo);
  SetBody(bodies, "DBInsert", DBInsert);
  SetBody(bodies, "DBDelete", DBDelete);
  SetBody(bodies, "DBGetInt", DBGetInt);
  SetBody(bodies, "DBSetInt", DBSetInt);
  SetBody(bodies, "DBGetFloat", DBGetFloat);
  SetBody(bodies, "DBSetFloat", DBSetFloat);
  SetBody(bodies, "DBGetBool", DBGetBool);
  SetBody(bodies, "DBSetBool", DBSetBool);
  SetBody(bodies, "DBGetStr", DBGetStr);
  SetBody(bodies, "DBSetStr", DBSetStr);
  SetBody(bodies, "DBRecordCount", DBRecordCount);
  SetBody(bodies, "DBFindFirst", DBFindFirst);
  SetBody(bodies, "DBFindLast", DBFindLast);
  SetBody(bodies, "DBFindNext", DBFindNext);
  SetBody(bodies, "DBFindPrior", DBFindPrior);
  SetBody(bodies, "DBLocate", DBLocate);
  SetBody(bodies, "DBLoadTsvFile", DBLoadTsvFile);
  SetBody(bodies, "DBDirectGetInt", DBDirectGetInt);
  SetBody(bodies, "DBDirectSetInt", DBDirectSetInt);
  SetBody(bodies, "DBDirectGetFloat", DBDirectGetFloat);
  SetBody(bodies, "DBDirectSetFloat", DBDirectSetFloat);
  SetBody(bodies, "DBDirectGetBool", DBDirectGetBool);
  SetBody(bodies, "DBDirectSetBool", DBDirectSetBool);
  SetBody(bodies, "DBDirectGetStr", DBDirectGetStr);
  SetBody(bodies, "DBDirectSetStr", DBDirectSetStr);
  SetBody(bodies, "DBCopyTable", DBCopyTable);
  SetBody(bodies, "DBDeleteTable", DBDeleteTable);
  SetBody(bodies, "DBInsertTable", DBInsertTable);
  SetBody(bodies, "DBCopy", DBCopy);
  SetBody(bodies, "DBClearTable", DBClearTable);
  SetBody(bodies, "DBSort", DBSort);
  SetBody(bodies, "DBGetActive", DBGetActive);
  SetBody(bodies, "DBGetRecNo", DBGetRecNo);
  SetBody(bodies, "DBClearRecord", DBClearRecord);
}

}  // namespace rivo
