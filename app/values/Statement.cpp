#include "Statement.h"

void failStatement()
{
    throw StatementFailed{};
}
