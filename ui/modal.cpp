#include "ui/modal.h"

volatile unsigned char g_modalActive = 0;

ModalScope::ModalScope() {
    g_modalActive = 1;
}

ModalScope::~ModalScope() {
    g_modalActive = 0;
}
