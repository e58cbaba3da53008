#include "QKvwinFactory.h"

#include "QKvWin.h"

std::unique_ptr<QKvosAdapter> QKvwinFactory::CreateAdapter()
{
    return std::make_unique<QKvWin>();
}
