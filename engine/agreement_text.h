// The agreement text resource and its copy in the destination folder.
#pragma once

// Receives the text's bytes (not NUL-terminated) and their count.
typedef void (*AgreementConsumer)(const char* text, int size, void* context);

// Hands the text resource to the consumer. 0 when the resource was found,
// loaded and locked (the consumer has run), 1 when not.
int UseAgreementText(AgreementConsumer consumer, void* context);

// Writes "eula.txt", or "new.txt" in update mode, into the destination
// folder. 0 on success, 1 when the file cannot be made or written.
int SaveAgreementFile(const char* text, int size);
