// The program's two module initialisers. Nothing needs preparing before the first
// window exists, so both only report success.
#pragma once

int InitialiseTextModule();
int InitialiseShellModule();
