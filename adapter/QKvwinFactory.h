#pragma once

#include "QKvFactory.h"

// Makes QKvWin adapters.
class QKvwinFactory : public QKvFactory {
public:
    std::unique_ptr<QKvosAdapter> CreateAdapter() override;
};
