// Model exports as downloads, made in the web module by the desktop's own writers
// (web/src/web_export.cpp).
//
//   await exportModel(module, kbsBytes, ".glb");                      // downloads kubisto.glb
//   await exportModel(module, kbsBytes, ".gltf", { stem: "tower" });  // tower.gltf and tower.bin
//   const files = makeModelFiles(module, kbsBytes, ".stl");           // the bytes, no download
//
// Failures (a broken layout, an empty layout for .stl, more than 255 colours for .vox) throw a
// ModelExportError whose message is the module's English text; the page shows it in its own words
// or as it is.

export type ModelFormat = ".gltf" | ".glb" | ".obj" | ".stl" | ".vox";
export const MODEL_FORMATS: readonly ModelFormat[] = [".glb", ".gltf", ".obj", ".stl", ".vox"];

// The few parts of the emscripten module that exporting needs.
export interface ExportModule {
  HEAPU8: Uint8Array;
  _malloc(size: number): number;
  _free(address: number): void;
  UTF8ToString(address: number): string;
  _kubisto_export(bytes: number, size: number, format: number, cellSize: number, stem: number): number;
  _kubisto_export_name(index: number): number;
  _kubisto_export_data(index: number): number;
  _kubisto_export_size(index: number): number;
  _kubisto_export_error(): number;
}

export interface ModelFile {
  name: string;
  bytes: Uint8Array;
  type: string;  // the file's media type
}

export interface ExportOptions {
  cellSize?: number;  // the edge of one cell in the format's units (10, as on the desktop)
  stem?: string;      // the files' name without extension ("kubisto")
}

export class ModelExportError extends Error {
  constructor(message: string) {
    super(message);
    this.name = "ModelExportError";
  }
}

const MEDIA_TYPES: Record<string, string> = {
  ".gltf": "model/gltf+json",
  ".glb": "model/gltf-binary",
  ".bin": "application/octet-stream",
  ".obj": "model/obj",
  ".mtl": "model/mtl",
  ".stl": "model/stl",
  ".vox": "application/octet-stream",
};

function mediaType(name: string): string {
  const dot = name.lastIndexOf(".");
  return MEDIA_TYPES[dot < 0 ? "" : name.slice(dot).toLowerCase()] ?? "application/octet-stream";
}

// The model's files (the model first, its companion after it), made synchronously.
export function makeModelFiles(
  module: ExportModule,
  kbsBytes: Uint8Array,
  format: ModelFormat,
  options: ExportOptions = {},
): ModelFile[] {
  const encoder = new TextEncoder();
  const texts = [encoder.encode(format + "\0"), encoder.encode((options.stem ?? "kubisto") + "\0")];
  const addresses: number[] = [];
  const place = (bytes: Uint8Array): number => {
    const at = module._malloc(Math.max(bytes.length, 1));
    if (!at) throw new ModelExportError("out of memory");
    addresses.push(at);
    module.HEAPU8.set(bytes, at);  // HEAPU8 read after the allocation, which may grow memory
    return at;
  };
  try {
    const layout = place(kbsBytes);
    const formatText = place(texts[0]);
    const stemText = place(texts[1]);
    const count = module._kubisto_export(layout, kbsBytes.length, formatText,
                                         options.cellSize ?? 10, stemText);
    if (count <= 0) throw new ModelExportError(module.UTF8ToString(module._kubisto_export_error()));
    const files: ModelFile[] = [];
    for (let i = 0; i < count; ++i) {
      const name = module.UTF8ToString(module._kubisto_export_name(i));
      const at = module._kubisto_export_data(i);
      const bytes = module.HEAPU8.slice(at, at + module._kubisto_export_size(i));
      files.push({ name, bytes, type: mediaType(name) });
    }
    return files;
  } finally {
    for (const at of addresses) module._free(at);
  }
}

// Offers bytes as a download under name.
export function downloadBytes(name: string, bytes: Uint8Array, type = mediaType(name)): void {
  const url = URL.createObjectURL(new Blob([bytes as Uint8Array<ArrayBuffer>], { type }));
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  a.style.display = "none";
  document.body.appendChild(a);
  a.click();
  a.remove();
  // The browser has taken the address once the click's task has run.
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// Exports and downloads the model's files (two for .gltf and .obj, one after the other: a browser
// may ask the user once whether the page may download several files; .glb is a single file).
// Resolves to the files downloaded; throws ModelExportError before any download on failure.
export async function exportModel(
  module: ExportModule,
  kbsBytes: Uint8Array,
  format: ModelFormat,
  options: ExportOptions = {},
): Promise<ModelFile[]> {
  const files = makeModelFiles(module, kbsBytes, format, options);
  for (const [i, f] of files.entries()) {
    // A pause between downloads: browsers drop a second download started in the same task.
    if (i > 0) await new Promise((resolve) => setTimeout(resolve, 250));
    downloadBytes(f.name, f.bytes, f.type);
  }
  return files;
}
