#include "core/ui/TillMain.h"

int main(int argc, char** argv) {
    return qor::tillMain(argc, argv);
}
