/* Identifiers of the resources in tuneworks.rc, shared by the resource script and the code. */
#pragma once

#define IDI_TUNEWORKS 1
