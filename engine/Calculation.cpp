#include "engine/Calculation.h"

#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"

static_assert(FORMULA_MAX_LENGTH == TEXT_CAPACITY - 1, "the engine's buffers hold the longest formula");

const wchar_t* FormulaTooLongMessage(bool japanese)
{
    return japanese ? L"式が長過ぎます。" : L"The formula is too long.";
}

CalculationResult Calculate(const CalculationRequest& request)
{
    CalculationResult result;
    result.variables = request.variables;
    if (request.formula.size() > FORMULA_MAX_LENGTH) {
        result.outcome = CalculationResult::Outcome::TOO_LONG;
        result.message = FormulaTooLongMessage(request.japanese);
        return result;
    }

    FormulaEngine engine;
    StrCopyN(engine.m_sBuff, request.formula.c_str(), FORMULA_MAX_LENGTH);
    engine.m_IntMode = request.intMode ? 1 : 0;
    engine.m_Japanese = request.japanese ? 1 : 0;
    wchar_t* const variables[] = {engine.m_sX, engine.m_sY, engine.m_sZ};
    for (size_t var = 0; var < 3; ++var) StrCopyN(variables[var], request.variables[var].c_str(), FORMULA_MAX_LENGTH);

    if (const wchar_t* answer = engine.Calculate()) {
        result.outcome = CalculationResult::Outcome::ANSWERED;
        result.answerText = answer;
        result.logLines = {L"Ans=[" + result.answerText + L"]"};
        for (size_t var = 0; var < 3; ++var) result.variables[var] = variables[var];
    } else {
        result.answerText = FAILED_ANSWER;
        result.logLines = {engine.m_sBuff, engine.m_sErr};
    }
    return result;
}
