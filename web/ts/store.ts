// The layouts kept in the browser (IndexedDB): the file window's list, by name. Each entry holds
// the layout file's bytes exactly as saved.

const kDatabase = "kubisto";
const kStore = "layouts";

export interface StoredLayout {
  name: string;
  bytes: Uint8Array;
  saved: number; // milliseconds since 1970
}

// The browser refused to store: the storage is full (or not allowed).
export class StorageFullError extends Error {}

function open(): Promise<IDBDatabase> {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(kDatabase, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(kStore, { keyPath: "name" });
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function transact<T>(mode: IDBTransactionMode, step: (s: IDBObjectStore) => IDBRequest<T>): Promise<T> {
  const db = await open();
  try {
    return await new Promise<T>((resolve, reject) => {
      const tx = db.transaction(kStore, mode);
      const request = step(tx.objectStore(kStore));
      let result: T;
      request.onsuccess = () => (result = request.result);
      tx.oncomplete = () => resolve(result);
      tx.onabort = tx.onerror = () => reject(tx.error ?? request.error);
    });
  } finally {
    db.close();
  }
}

export async function listLayouts(): Promise<StoredLayout[]> {
  const all = await transact<StoredLayout[]>("readonly", (s) => s.getAll());
  return all.sort((a, b) => a.name.localeCompare(b.name));
}

export async function readLayout(name: string): Promise<StoredLayout | undefined> {
  return transact<StoredLayout | undefined>("readonly", (s) => s.get(name));
}

export async function writeLayout(name: string, bytes: Uint8Array): Promise<void> {
  try {
    await transact("readwrite", (s) => s.put({ name, bytes, saved: Date.now() }));
  } catch (e) {
    const name = (e as DOMException)?.name;
    if (name === "QuotaExceededError" || name === "UnknownError") throw new StorageFullError(String(e));
    throw e;
  }
}

export async function deleteLayout(name: string): Promise<void> {
  await transact("readwrite", (s) => s.delete(name));
}
