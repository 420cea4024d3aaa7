#include <gtest/gtest.h>

#include "tests/app/VexiloSession.h"

TEST(StartAndClose, FirstStartShowsTheSampleFormulas)
{
    VexiloSession app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(VexiloSession::Text(app.FormulaBox(0)), L"dms( acos( 0 - 1 ) )");
    EXPECT_EQ(VexiloSession::Text(app.VariableBox(0)), L"32.9");
    EXPECT_FALSE(app.SettingsExist());
    const auto messages = app.Click(app.CalcButton(0));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(VexiloSession::Text(app.AnswerField()), L"180\u00B00\u20320.000\u2033");
    ASSERT_TRUE(app.Close());
    EXPECT_TRUE(app.SettingsExist());
}

TEST(StartAndClose, StackCountMessageIsReadAndClosed)
{
    VexiloSession app;
    ASSERT_TRUE(app.Start());
    const auto messages = app.Calculate(14, L"1 2");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"m_StackCnt=2");
    EXPECT_EQ(VexiloSession::Text(app.AnswerField()), L"");
    const auto log = app.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), L"Ans=[]");
}
