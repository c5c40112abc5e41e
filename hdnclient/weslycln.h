#pragma once

// The five functions of the HDN client library as this product calls them.
// Texts are ANSI (Windows-1252) file names and node numbers; every function
// answers with the client's result code (0 = success).
extern "C" {
int hdnSend(const char* fileName);
int hdnReceiveFrom(const char* fromNode, const char* fileName, int* aantalBerichten);
int hdnValidate(const char* fileName, const char* fileNameVX);
// buffer holds 255 characters; the node number is written into it.
int hdnGetNodeNumber(char* buffer);
int hdnIsCertActive();
}
