// Arithmetic: conversions between integers and reals, the trigonometric
// functions (radians), absolute values, minimum and maximum, logical not
// and random numbers.

#include <cmath>

#include "common/error.h"
#include "common/numbers.h"
#include "script/function_call.h"
#include "script/function_families.h"
#include "script/sys_func_man.h"
#include "script/value_conversion.h"

namespace rivo {

namespace {

// A real result that is no number from arguments that are (ArcSin(2)) is
// the run-time's error, as it is for the arithmetic operators.
void SetReal(FunctionCall& call, long double result) {
  if (std::isnan(result)) {
    for (int32_t i = 0; i < call.Count(); ++i)
      if (std::isnan(call.Float(i))) return call.dest.SetFloat(result);
    throw RivoError("Invalid floating point operation");
  }
  call.dest.SetFloat(result);
}

template <long double (*F)(long double)>
void RealFunction(FunctionCall& call) {
  SetReal(call, F(call.Float(0)));
}

void Random(FunctionCall& call) { call.dest.SetInt(call.functions.Random().Next(call.Int(0))); }

void Int(FunctionCall& call) { call.dest.SetInt(RealToInt(call.Float(0))); }

void Float(FunctionCall& call) { call.dest.SetFloat(call.Float(0)); }

void ArcTan2(FunctionCall& call) { SetReal(call, std::atan2(call.Float(0), call.Float(1))); }

void Hypot(FunctionCall& call) { SetReal(call, std::hypot(call.Float(0), call.Float(1))); }

// Abs of the smallest integer is itself, as the machine's negation gives.
void Abs(FunctionCall& call) {
  int32_t n = call.Int(0);
  call.dest.SetInt(n < 0 ? WrapNeg(n) : n);
}

void Fabs(FunctionCall& call) { call.dest.SetFloat(std::fabs(call.Float(0))); }

void Min(FunctionCall& call) { call.dest.SetInt(std::min(call.Int(0), call.Int(1))); }

void Max(FunctionCall& call) { call.dest.SetInt(std::max(call.Int(0), call.Int(1))); }

// a when a < b (a > b), else b: with a NaN, b.
void Fmin(FunctionCall& call) {
  long double a = call.Float(0), b = call.Float(1);
  call.dest.SetFloat(a < b ? a : b);
}

void Fmax(FunctionCall& call) {
  long double a = call.Float(0), b = call.Float(1);
  call.dest.SetFloat(a > b ? a : b);
}

void Not(FunctionCall& call) { call.dest.SetBool(!call.Bool(0)); }

long double Sin(long double x) { return std::sin(x); }
long double Cos(long double x) { return std::cos(x); }
long double Tan(long double x) { return std::tan(x); }
long double ArcSin(long double x) { return std::asin(x); }
long double ArcCos(long double x) { return std::acos(x); }
long double ArcTan(long double x) { return std::atan(x); }

}  // namespace

void AddMathFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "Random", Random);
  SetBody(bodies, "Int", Int);
  SetBody(bodies, "Float", Float);
  SetBody(bodies, "Sin", RealFunction<Sin>);
  SetBody(bodies, "Cos", RealFunction<Cos>);
  SetBody(bodies, "Tan", RealFunction<Tan>);
  SetBody(bodies, "ArcSin", RealFunction<ArcSin>);
  SetBody(bodies, "ArcCos", RealFunction<ArcCos>);
  SetBody(bodies, "ArcTan", RealFunction<ArcTan>);
  SetBody(bodies, "ArcTan2", ArcTan2);
  SetBody(bodies, "Hypot", Hypot);
  SetBody(bodies, "Abs", Abs);
  SetBody(bodies, "Fabs", Fabs);
  SetBody(bodies, "Min", Min);
  SetBody(bodies, "Max", Max);
  SetBody(bodies, "Fmin", Fmin);
  SetBody(bodies, "Fmax", Fmax);
  SetBody(bodies, "Not", Not);
}

}  // namespace rivo
