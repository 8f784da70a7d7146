#include "startedprogram.h"

#include "core/main.h"
#include "databases.h"
#include "toolkit/accountgroup.h"

namespace zelk::test {

StartedProgram::StartedProgram()
{
    program.mainMenu()->show();
}

DataModule1 &StartedProgram::data()
{
    return *program.context().data;
}

double StartedProgram::balance(int position)
{
    return accountBalance(data().rekeningtabel, position);
}

} // namespace zelk::test
